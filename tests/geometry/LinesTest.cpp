#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <utility>

#include "common/Errors.h"
#include "geometry/Lines.h"

using namespace tavrel;

TEST(BearingOf, AxesQuadrantsAndCoincidentPoints) {
    const struct {
        const char* name;
        Point to;
        double expected;
    } rows[] = {{"along +x", {1, 0}, 0},
                {"along +y", {0, 1}, kPi / 2},
                {"along -x", {-1, 0}, kPi},
                {"along -y", {0, -1}, 3 * kPi / 2},
                {"second quadrant", {-1, 1}, 3 * kPi / 4},
                {"fourth quadrant", {1, -1}, 7 * kPi / 4},
                {"along -x, dy = -0", {-1, -0.0}, kPi},
                {"coincident points", {0, 0}, 3 * kPi / 2}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_NEAR(BearingOf({0, 0}, row.to), row.expected, 1e-15);
    }
}

TEST(CrossLines, CrossingsAndTheSegmentTest) {
    // Line 1 vertical, line 2 horizontal: the crossing is (x1, y3) exactly.
    LineCrossing c = CrossLines({5, 0}, {5, 10}, {0, 3}, {10, 3});
    ASSERT_TRUE(c.point);
    EXPECT_EQ(c.point->x, 5);
    EXPECT_EQ(c.point->y, 3);
    EXPECT_TRUE(c.onSegment);

    struct Row {
        const char* name;
        double p4x;  // segment P3 = (0, 0) .. P4 = (p4x, 0), crossed by x = 10
        bool onSegment;
    } rows[] = {{"crossing exactly at P4", 10, true},
                {"0.4 mm beyond P4", 10 - 0.0004, true},
                {"2 mm beyond P4", 10 - 0.002, false}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(CrossLines({10, -5}, {10, 5}, {0, 0}, {r.p4x, 0}).onSegment, r.onSegment);
    }
    EXPECT_TRUE(CrossLines({0, -5}, {0, 5}, {0, 0}, {10, 0}).onSegment);  // exactly at P3
}

TEST(CrossLines, ParallelLinesHaveNoCrossing) {
    EXPECT_FALSE(CrossLines({0, 0}, {1, 1}, {0, 1}, {1, 2}).point);
    const LineCrossing vertical = CrossLines({0, 0}, {0, 1}, {2, 0}, {2, 5});
    EXPECT_FALSE(vertical.point);
    EXPECT_FALSE(vertical.onSegment);
}

TEST(CrossLinesBySlopes, ParallelLinesAreACalculationError) {
    EXPECT_THROW(CrossLinesBySlopes({0, 0}, {1, 1}, {0, 1}, {2, 3}), CalcError);
    EXPECT_THROW(CrossLinesBySlopes({0, 0}, {0, 1}, {5, 0}, {5, 1}), CalcError);
    EXPECT_NEAR(CrossLinesBySlopes({3, -1}, {3, 7}, {0, 1}, {1, 2}).y, 4, 1e-12);  // one line along the y axis
}

TEST(TurnSideSign, TurnSidesAndDistance) {
    EXPECT_EQ(TurnSideSign({0, 0}, {1, 0}, {2, 0}), 1);   // straight on
    EXPECT_EQ(TurnSideSign({0, 0}, {1, 0}, {2, 1}), -1);  // towards increasing bearing
    EXPECT_EQ(TurnSideSign({0, 0}, {1, 0}, {2, -1}), 1);
    EXPECT_EQ(TurnSideSign({0, 0}, {1, 0}, {0, 0}), -1);  // turning back: a difference of exactly pi
    EXPECT_DOUBLE_EQ(DistanceBySquares({0, 0}, {3, 4}), 5);
}

TEST(LinesAndDistances, TheTwoRoundingsOfEachAgree) {
    // Lines through survey-sized coordinates crossing at 10 to 170 degrees: both crossing formulas find a point
    // on both lines, the same to a tenth of a millimetre; both distances agree to the last bits.
    std::mt19937 gen(20240601);
    std::uniform_real_distribution<double> coordinate(-2000, 2000), angle(10, 170);
    const Point base{3345000, 512000};
    for (int k = 0; k < 1000; ++k) {
        const Point p1 = base + Point{coordinate(gen), coordinate(gen)};
        const Point p3 = base + Point{coordinate(gen), coordinate(gen)};
        const double b1 = DegreesToRadians(angle(gen) * 2), b2 = b1 + DegreesToRadians(angle(gen));
        const Point p2 = p1 + 100 * Direction(b1), p4 = p3 + 100 * Direction(b2);
        const LineCrossing general = CrossLines(p1, p2, p3, p4);
        ASSERT_TRUE(general.point);
        const Point bySlopes = CrossLinesBySlopes(p1, p2, p3, p4);
        EXPECT_LT(Distance(*general.point, bySlopes), 1e-4);
        for (const auto& [a, b] : {std::pair{p1, b1}, std::pair{p3, b2}}) {
            const Point d = bySlopes - a, n = Direction(b + kPi / 2);
            EXPECT_LT(std::fabs(d.x * n.x + d.y * n.y), 1e-4);  // on the line
        }
        const double exact = Distance(p1, p3), bySquares = DistanceBySquares(p1, p3);
        EXPECT_LE(std::fabs(exact - bySquares), 4 * std::numeric_limits<double>::epsilon() * exact);
    }
}
