// The edge-docking rule of the promotion windows on computed rectangles, without a window. At 96 dpi a pixel
// is 15 twips: the 40-twip strip left in view is 3 px, the 10-twip overlap 1 px.
#include <gtest/gtest.h>

#include "QtPrinters.h"
#include "about/EdgeDock.h"

using tavrel::about::DockInput;
using tavrel::about::DockStep;

namespace {

constexpr int kW = 200, kH = 280;  // window frame, px
const QSize kScreen(1280, 1024);

DockInput At(int left, int top, QPoint cursor, double twipsPerPixel = 15) {
    return {QRect(left, top, kW, kH), cursor, kScreen, false, twipsPerPixel};
}

struct Row {
    const char* name;
    DockInput in;
    std::optional<QPoint> to;  // nullopt: not moved
    bool reveal;
};

}  // namespace

TEST(EdgeDock, OneTickTable) {
    const QPoint away(640, 900);
    const Row rows[] = {
        {"middle of the screen, cursor away: never moved", At(500, 300, away), std::nullopt, false},
        {"middle of the screen, cursor inside: never moved", At(500, 300, {600, 400}), std::nullopt, false},
        {"top at 4 px hides upwards, 3 px left in view", At(500, 4, away), QPoint(500, 3 - kH), false},
        {"top at 5 px is not docked", At(500, 5, away), std::nullopt, false},
        {"top left corner: the top edge wins", At(0, 0, away), QPoint(0, 3 - kH), false},
        {"top right corner: the top edge wins", At(1080, 2, away), QPoint(1080, 3 - kH), false},
        {"left at 4 px hides to the left", At(4, 300, away), QPoint(3 - kW, 300), false},
        {"left at 5 px is not docked", At(5, 300, away), std::nullopt, false},
        {"left beyond the edge hides to the left", At(-50, 300, away), QPoint(3 - kW, 300), false},
        {"right edge on the screen edge hides to the right", At(1080, 300, away), QPoint(1277, 300), false},
        {"right edge one pixel short is not docked", At(1079, 300, away), std::nullopt, false},
        {"hidden at the top, cursor on the strip: back, 1 px over the edge", At(500, 3 - kH, {550, 1}), QPoint(500, -1),
         true},
        {"hidden at the left, cursor on the strip", At(3 - kW, 300, {1, 400}), QPoint(-1, 300), true},
        {"hidden at the right, cursor on the strip", At(1277, 300, {1278, 400}), QPoint(1081, 300), true},
        {"revealed at the top stays while the cursor is inside", At(500, -1, {550, 100}), QPoint(500, -1), true},
        {"off the top and the left: only the top is corrected", At(3 - kW, 3 - kH, {1, 1}), QPoint(3 - kW, -1), true},
        {"... on every tick", At(3 - kW, -1, {1, 1}), QPoint(3 - kW, -1), true},
        {"cursor on the left border counts as outside", At(500, -1, {500, 100}), QPoint(500, 3 - kH), false},
        {"cursor on the right edge (left + width) counts as outside", At(500, -1, {700, 100}), QPoint(500, 3 - kH),
         false},
        {"cursor on the bottom edge (top + height) counts as outside", At(500, -1, {550, 279}), QPoint(500, 3 - kH),
         false},
        {"just inside the bottom edge", At(500, -1, {550, 278}), QPoint(500, -1), true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const auto m = DockStep(r.in);
        ASSERT_EQ(m.has_value(), r.to.has_value());
        if (!m) continue;
        EXPECT_EQ(m->topLeft, *r.to);
        EXPECT_EQ(m->reveal, r.reveal);
    }
}

TEST(EdgeDock, MinimisedWindowIsLeftAlone) {
    DockInput in = At(500, 0, {640, 900});
    in.minimised = true;
    EXPECT_FALSE(DockStep(in).has_value());
}

TEST(EdgeDock, TwipAmountsFollowTheLogicalDpi) {
    // 144 dpi: 10 twips a pixel; the strip is 4 px, the overlap 1 px.
    const auto top = DockStep(At(500, 0, {640, 900}, 10));
    ASSERT_TRUE(top);
    EXPECT_EQ(top->topLeft, QPoint(500, 4 - kH));
    const auto right = DockStep(At(1080, 300, {640, 900}, 10));
    ASSERT_TRUE(right);
    EXPECT_EQ(right->topLeft, QPoint(1276, 300));
    // 360 dpi: 4 twips a pixel, so the 4-twip allowance at the right edge is a whole pixel.
    const auto near = DockStep(At(1079, 300, {640, 900}, 4));
    ASSERT_TRUE(near);
    EXPECT_EQ(near->topLeft, QPoint(1270, 300));  // 40 twips = 10 px left in view
    EXPECT_FALSE(DockStep(At(1078, 300, {640, 900}, 4)).has_value());
}
