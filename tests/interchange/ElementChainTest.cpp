#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "common/Errors.h"
#include "interchange/ElementChain.h"

using namespace tavrel;

namespace {

constexpr double kExact = 1e-12;  // closed-form values, rounding only
constexpr double kSeries = 1e-6;  // m: hand-summed first terms of a clothoid series

ElementChain finish(double x, double y, double azimuthDegrees, const std::vector<AlignmentElement>& elements,
                    Station start = 0) {
    return BuildElementChain({start, x, y, azimuthDegrees, elements});
}

}  // namespace

TEST(ElementChainBuild, SplitsSShapedSpiralsAtZeroCurvature) {
    const auto chain = ElementChainBuild({{9999, 9999, 10}, {500, -800, 130}, {-300, -300, 5}, {9999, -800, 20}});
    ASSERT_EQ(chain.size(), 5u);
    const AlignmentElement expected[] = {
        {9999, 9999, 10}, {500, 9999, 80}, {9999, -800, 50}, {-300, -300, 5}, {9999, -800, 20}};
    for (std::size_t k = 0; k < chain.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(chain[k].startRadius, expected[k].startRadius);
        EXPECT_EQ(chain[k].endRadius, expected[k].endRadius);
        EXPECT_NEAR(chain[k].length, expected[k].length, kExact);
    }
}

TEST(DmsToDegrees, ReadsTheWrittenDigitsExactly) {
    const struct {
        const char* name;
        double dms, degrees;
    } rows[] = {
        {"10.2000: 20 minutes, not 19 min 100 s", 10.2000, 10 + 20.0 / 60},
        {"0.29: 29 minutes", 0.29, 29.0 / 60},
        {"45.3030", 45.3030, 45 + 30.0 / 60 + 30.0 / 3600},
        {"negative -30.1530", -30.1530, -(30 + 15.0 / 60 + 30.0 / 3600)},
        {"zero", 0, 0},
        {"full turn 360.0000", 360.0000, 360},
        {"decimals of seconds 12.345678", 12.345678, 12 + 34.0 / 60 + 56.78 / 3600},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_NEAR(DmsToDegrees(row.dms), row.degrees, kExact);
    }
    EXPECT_THROW(DmsToDegrees(std::numeric_limits<double>::quiet_NaN()), CalcError);
}

TEST(DmsToDegrees, SweepOfWrittenAnglesMatchesTheirIntegerParts) {
    for (int d : {0, 1, 9, 10, 45, 89, 90, 179, 180, 271, 359})
        for (int m = 0; m < 60; ++m)
            for (int secUnits : {0, 1, 9999, 100000, 200000, 305000, 599999}) {  // 1e-4 s
                char text[40];
                std::snprintf(text, sizeof text, "%d.%02d%06d", d, m, secUnits);
                SCOPED_TRACE(text);
                const double expected = m / 60.0 + d + (secUnits / 1e4) / 3600;
                EXPECT_DOUBLE_EQ(DmsToDegrees(std::strtod(text, nullptr)), expected);
                EXPECT_DOUBLE_EQ(DmsToDegrees(-std::strtod(text, nullptr)), -expected);
            }
}

TEST(BuildElementChain, WorkedExamples) {
    {
        SCOPED_TRACE("a straight from (0, 0) at 90.0000 ends at (0, 100)");
        const auto c = finish(0, 0, DmsToDegrees(90.0000), {{9999, 9999, 100}}, 1000);
        EXPECT_EQ(c.elements().size(), 1u);
        EXPECT_NEAR(c.nodeX()[1], 0, kExact);
        EXPECT_NEAR(c.nodeY()[1], 100, kExact);
        EXPECT_NEAR(c.nodeBearing()[1], kPi / 2, kExact);
        EXPECT_EQ(c.nodeStation()[1], 1100);
    }
    {
        SCOPED_TRACE("a right-hand quarter circle of radius 200 starting north");
        const auto c = finish(10, 20, 0, {{200, 200, 100 * kPi}});
        EXPECT_NEAR(c.deltaX()[0], 200, 1e-9);
        EXPECT_NEAR(c.deltaY()[0], 200, 1e-9);
        EXPECT_NEAR(c.nodeBearing()[1], kPi / 2, kExact);
    }
    {
        // x = l - l^5/(40 A^4) + l^9/(3456 A^8), y = l^3/(6 A^2) - l^7/(336 A^6) + ..., A^2 = 18000.
        SCOPED_TRACE("a spiral (9999, 300, 60) turns 0.1 rad and the next arc starts at its end");
        const auto c = finish(0, 0, 0, {{9999, 300, 60}, {300, 300, 50}});
        EXPECT_NEAR(c.turnAngle()[0], 0.1, kExact);
        EXPECT_NEAR(c.nodeBearing()[1], 0.1, kExact);
        EXPECT_NEAR(c.nodeX()[1], 59.9400278, kSeries);
        EXPECT_NEAR(c.nodeY()[1], 1.9985717, kSeries);
        const auto arcStart = InterchangePointAt(c, 60);
        EXPECT_NEAR(arcStart.p.x, c.nodeX()[1], kExact);
        EXPECT_NEAR(arcStart.p.y, c.nodeY()[1], kExact);
        EXPECT_NEAR(arcStart.bearing, 0.1, kExact);
        EXPECT_NEAR(c.nodeBearing()[2], 0.1 + 50.0 / 300, kExact);
    }
    {
        SCOPED_TRACE("radius 10000 is finite: (9999, 10000, 60) is a spiral");
        EXPECT_NEAR(finish(0, 0, 0, {{9999, 10000, 60}}).turnAngle()[0], 60.0 / 20000, kExact);
    }
    {
        SCOPED_TRACE("a start bearing of 360.0000 is bearing 0");
        EXPECT_EQ(finish(0, 0, DmsToDegrees(360.0000), {{9999, 9999, 10}}).nodeBearing()[0], 0);
    }
    {
        SCOPED_TRACE("left turns keep node bearings in [0, 2 pi)");
        const auto c = finish(0, 0, 0, {{-100, -100, 10}});
        EXPECT_NEAR(c.nodeBearing()[1], 2 * kPi - 0.1, kExact);
    }
    {
        SCOPED_TRACE("an empty list is one node: the start");
        const auto c = finish(5, 6, 30, {}, 250);
        ASSERT_EQ(c.nodeStation().size(), 1u);
        EXPECT_TRUE(c.elements().empty());
        EXPECT_EQ(c.nodeStation()[0], 250);
        EXPECT_EQ(c.nodeX()[0], 5);
        EXPECT_EQ(c.nodeY()[0], 6);
        EXPECT_NEAR(c.nodeBearing()[0], kPi / 6, kExact);
    }
}

TEST(BuildElementChain, DataWithoutAFiniteAnswerIsACalculationError) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* name;
        std::vector<AlignmentElement> elements;
    } rows[] = {
        {"arc of radius 0", {{0, 0, 10}}},
        {"spiral to radius 0", {{9999, 0, 10}}},
        {"spiral from radius 0", {{0, 9999, 10}}},
        {"spiral between 300 and 0", {{300, 0, 10}}},
        {"spiral of length 0 between two radii", {{300, 600, 0}}},
        {"spiral of length 0 from a straight", {{9999, 600, 0}}},
        {"length not a number", {{9999, 9999, nan}}},
        {"spiral between nearly equal radii, origin 59 km away", {{1000, 990, 600}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_THROW(finish(0, 0, 0, row.elements), CalcError);
    }
    EXPECT_THROW(finish(std::numeric_limits<double>::infinity(), 0, 0, {{9999, 9999, 1}}), CalcError);
    EXPECT_NO_THROW(finish(0, 0, 0, {{9999, 9999, 0}, {300, 300, 0}}));  // points: nothing to divide
}

TEST(ElementChainBuild, MoreThan999ElementsAfterSplittingIsACalculationError) {
    std::vector<AlignmentElement> elements(999, {9999, 9999, 1});
    EXPECT_EQ(ElementChainBuild(elements).size(), 999u);
    elements.resize(998);
    elements.push_back({300, -300, 20});  // the split makes 1000
    EXPECT_THROW(ElementChainBuild(elements), CalcError);
    EXPECT_THROW(BuildElementChain({0, 0, 0, 0, std::vector<AlignmentElement>(1000, {9999, 9999, 1})}), CalcError);
}
