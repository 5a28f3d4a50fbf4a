#include <gtest/gtest.h>

#include <cmath>

#include "geometry/Arc.h"
#include "geometry/Clothoid.h"
#include "geometry/ClothoidBetween.h"

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

namespace {

// The clothoid's displacement from arc length l1 to l2 in its origin's tangent frame by Simpson's rule on the
// tangent angle t^2 / (2 A2): an independent reference for the series.
Point integratedClothoid(double l1, double l2, double A2) {
    constexpr int kSteps = 20000;  // even
    const double h = (l2 - l1) / kSteps;
    Point sum;
    for (int i = 0; i <= kSteps; ++i) {
        const double t = l1 + i * h, angle = t * t / (2 * A2);
        const double weight = i == 0 || i == kSteps ? 1 : i % 2 == 1 ? 4 : 2;
        sum = sum + weight * Point{std::cos(angle), std::sin(angle)};
    }
    return (h / 3) * sum;
}

}  // namespace

TEST(Clothoid, SeriesAndPlacedPointsMatchNumericIntegration) {
    // A clothoid placed by the point `known` it passes at knownLength from its origin, as an incomplete spiral
    // is; the point u beyond it, and the part between, against the integral.
    const struct {
        const char* name;
        double A2, knownLength, u;
    } rows[] = {{"right turn from the origin", 300.0 * 120, 0, 120},
                {"left turn mirrors", -300.0 * 120, 0, 120},
                {"incomplete spiral, origin 75 m before the key point", 600.0 * 225, 75, 150},
                {"back towards the origin", 600.0 * 225, 75, -40},
                {"long spiral far from its origin", 2000.0 * 400, 1500, 400}};
    const Point known{3345000, 512000};
    const double bearing = 0.7;
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const double l = r.knownLength + r.u;
        const Point full = integratedClothoid(0, l, r.A2);
        EXPECT_NEAR(ClothoidX(l, r.A2), full.x, 1e-9);
        EXPECT_NEAR(ClothoidY(l, r.A2), full.y, 1e-9);

        const Point part = integratedClothoid(r.knownLength, l, r.A2);
        EXPECT_NEAR(ClothoidXBetween(r.knownLength, l, r.A2), part.x, 1e-9);
        EXPECT_NEAR(ClothoidYBetween(r.knownLength, l, r.A2), part.y, 1e-9);

        const Point placed = ClothoidPointPast(known, bearing, r.knownLength, r.u, r.A2);
        const Point expected = known + Rotate(bearing, part.x, part.y);
        EXPECT_NEAR(placed.x, expected.x, 1e-7);
        EXPECT_NEAR(placed.y, expected.y, 1e-7);
    }
    EXPECT_EQ(ClothoidPointPast(known, bearing, 75, 0, 600.0 * 225).x, known.x);  // u = 0: the known point itself
}
