#include <gtest/gtest.h>

#include <cmath>

#include "common/Errors.h"
#include "mainline/Spiral.h"

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

TEST(SpiralAndArcHelpers, WorkedValuesToFiveDecimals) {
    const struct {
        const char* name;
        double value, expected;
    } rows[] = {{"SpiralShift(100, 500)", SpiralShift(100, 500), 0.83304},
                {"SpiralTangentOffset(100, 500)", SpiralTangentOffset(100, 500), 49.98334},
                {"ClothoidX(100, 50000)", ClothoidX(100, 50000), 99.90005},
                {"ClothoidY(100, 50000)", ClothoidY(100, 50000), 3.33095},
                {"ClothoidY(100, -50000) mirrors to the left", ClothoidY(100, -50000), -3.33095},
                {"ArcX(100, 500)", ArcX(100, 500), 99.33467},
                {"ArcY(100, 500)", ArcY(100, 500), 9.96671},
                {"ArcY(100, -500)", ArcY(100, -500), -9.96671},
                {"ClothoidX at the origin", ClothoidX(0, 50000), 0},
                {"SpiralShift of no spiral", SpiralShift(0, 500), 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_NEAR(row.value, row.expected, 5e-6);
    }
}

TEST(LineIntersection, ParallelLinesAreACalculationError) {
    EXPECT_THROW(LineIntersection({0, 0}, {1, 1}, {0, 1}, {2, 3}), CalcError);
    EXPECT_THROW(LineIntersection({0, 0}, {0, 1}, {5, 0}, {5, 1}), CalcError);
    EXPECT_NEAR(LineIntersection({3, -1}, {3, 7}, {0, 1}, {1, 2}).y, 4, 1e-12);  // one line along the y axis
}
