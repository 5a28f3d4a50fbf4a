#include <gtest/gtest.h>

#include "pedestal/PlaneGeometry.h"

using namespace tavrel;

TEST(LineLineInt, CrossingsAndTheSegmentTest) {
    // Line 1 vertical, line 2 horizontal: the crossing is (x1, y3) exactly.
    LineCrossing c = line_line_int({5, 0}, {5, 10}, {0, 3}, {10, 3});
    ASSERT_TRUE(c.point);
    EXPECT_EQ(c.point->x, 5);
    EXPECT_EQ(c.point->y, 3);
    EXPECT_TRUE(c.leg);

    struct Row {
        const char* name;
        double p4x;  // segment P3 = (0, 0) .. P4 = (p4x, 0), crossed by x = 10
        bool leg;
    } rows[] = {{"crossing exactly at P4", 10, true},
                {"0.4 mm beyond P4", 10 - 0.0004, true},
                {"2 mm beyond P4", 10 - 0.002, false}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(line_line_int({10, -5}, {10, 5}, {0, 0}, {r.p4x, 0}).leg, r.leg);
    }
    EXPECT_TRUE(line_line_int({0, -5}, {0, 5}, {0, 0}, {10, 0}).leg);  // exactly at P3
}

TEST(LineLineInt, ParallelLinesHaveNoCrossing) {
    EXPECT_FALSE(line_line_int({0, 0}, {1, 1}, {0, 1}, {1, 2}).point);
    const LineCrossing vertical = line_line_int({0, 0}, {0, 1}, {2, 0}, {2, 5});
    EXPECT_FALSE(vertical.point);
    EXPECT_FALSE(vertical.leg);
}

TEST(Zypsgn, TurnSides) {
    EXPECT_EQ(zypsgn({0, 0}, {1, 0}, {2, 0}), 1);   // straight on
    EXPECT_EQ(zypsgn({0, 0}, {1, 0}, {2, 1}), -1);  // towards increasing bearing
    EXPECT_EQ(zypsgn({0, 0}, {1, 0}, {2, -1}), 1);
    EXPECT_EQ(zypsgn({0, 0}, {1, 0}, {0, 0}), -1);  // turning back: a difference of exactly pi
    EXPECT_DOUBLE_EQ(dtjljs(0, 0, 3, 4), 5);
}
