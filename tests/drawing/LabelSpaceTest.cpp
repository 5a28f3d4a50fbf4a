// The label space finds exactly the overlaps a check against every taken outline finds, wherever the outlines lie
// and however large they are.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "drawing/LabelSpace.h"

using namespace tavrel;

namespace {

// An axis-aligned box of width w and height h from (x, y).
Outline box(double x, double y, double w, double h) { return {Point{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}}; }

}  // namespace

TEST(LabelSpace, FindsWhatACheckAgainstEveryOutlineFindsNearFarAndWide) {
    const std::vector<Outline> taken = {
        box(0, 0, 2, 1),
        box(-5, -5, 1, 1),
        box(1e13, 1e13, 5, 1),  // far out of any grid
        box(-3e6, 50, 6e6, 1),  // across millions of cells
        box(1e15, -1e15, 1e14, 1e14),
    };
    const std::vector<Outline> candidates = {
        box(1, 0.5, 2, 1),
        box(2, 0, 1, 1),  // sharing an edge only: clear
        box(-4.5, -4.5, 1, 1),
        box(1e13 + 4, 1e13, 3, 1),
        box(1e13 + 6, 1e13, 3, 1),
        box(10, 50.5, 1, 1),
        box(10, 52, 1, 1),
        box(1.05e15, -0.95e15, 1, 1),
        box(-1e30, -1e30, 2e30, 2e30),
    };
    LabelSpace space(0.5);
    for (const Outline& t : taken) space.take(t);
    for (const Outline& c : candidates) {
        const bool expected =
            std::none_of(taken.begin(), taken.end(), [&](const Outline& t) { return OutlinesOverlap(c, t); });
        EXPECT_EQ(space.isClear(c), expected) << c[0].x << ' ' << c[0].y;
    }
    // The reference agrees with what the boxes show.
    EXPECT_FALSE(space.isClear(candidates[0]));
    EXPECT_TRUE(space.isClear(candidates[1]));
    EXPECT_FALSE(space.isClear(candidates[3]));
    EXPECT_TRUE(space.isClear(candidates[4]));
    EXPECT_FALSE(space.isClear(candidates[5]));
    EXPECT_FALSE(space.isClear(candidates.back()));
}
