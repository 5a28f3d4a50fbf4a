#include <gtest/gtest.h>

#include "geometry/Arc.h"
#include "geometry/Clothoid.h"

using namespace tavrel;

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
