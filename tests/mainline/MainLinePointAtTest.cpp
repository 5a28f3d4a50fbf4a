#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "geometry/Lines.h"
#include "mainline/MainLine.h"
#include "mainline/MainLineTestLines.h"

using namespace tavrel;
using namespace tavrel::test;

namespace {

double bearingGap(double a, double b) { return std::fabs(std::remainder(a - b, 2 * kPi)); }

struct NamedLine {
    const char* name;
    MainLineInput input;
    double step;  // m: sampling step short enough that a chord equals its arc to 1e-6 m
};

std::vector<NamedLine> curvedLines() {
    return {{"spiral, arc, spiral", twoCurves(500, 100, 100), 0.5},
            {"unequal incomplete spirals, left", twoCurves(500, 100, 60, 1500, 2500), 0.5},
            {"incomplete spirals, right", oneCurve(45, 400, 120, 90, 900, 1200), 0.5},
            {"switchback", switchbackLine(), 0.1}};
}

}  // namespace

TEST(MainLinePointAt, NoJumpOrKinkAcrossAnyKeyPoint) {
    auto rows = curvedLines();
    rows.push_back({"generated 1000-point line", generatedLine(1000, 2000, 3000, 7), 0});
    for (const NamedLine& row : rows) {
        SCOPED_TRACE(row.name);
        const MainLine line = MainLineBuild(row.input);
        for (int k = 2; k <= line.intersectionCount() - 1; ++k) {
            const MainLineCurve& c = line.curve(k);
            for (const Station key : {c.zhStation, c.hyStation, c.yhStation, c.hzStation}) {
                const PointAtStation a = MainLinePointAt(line, key - 1e-7), b = MainLinePointAt(line, key + 1e-7);
                ASSERT_LE(Distance(a.p, b.p), 1e-3) << "point " << k << ", station " << key;
                ASSERT_LE(bearingGap(a.bearing, b.bearing), 1e-6) << "point " << k << ", station " << key;
            }
        }
    }
}

TEST(MainLinePointAt, StationIsArcLengthAndBearingIsTheDirectionOfTravel) {
    for (const NamedLine& row : curvedLines()) {
        SCOPED_TRACE(row.name);
        const MainLine line = MainLineBuild(row.input);
        const auto at = [&](Station s) { return MainLinePointAt(line, s); };
        const Station from = line.curve(2).zhStation - 50, to = line.curve(line.intersectionCount() - 1).hzStation + 50;
        for (Station s = from; s <= to; s += row.step) {
            ASSERT_NEAR(Distance(at(s).p, at(s + row.step).p), row.step, 1e-6) << "station " << s;
            // A short symmetric chord points along the tangent (within h/4 of a curvature jump).
            constexpr double h = 1e-4;
            ASSERT_LE(bearingGap(at(s).bearing, BearingOf(at(s - h).p, at(s + h).p)), 1e-6) << "station " << s;
            ASSERT_GE(at(s).bearing, 0);
            ASSERT_LT(at(s).bearing, 2 * kPi);
        }
    }
}

TEST(MainLinePointAt, PlainCircularCurveLiesOnItsCircleWithTheCentreOnTheInside) {
    for (const double turn : {1.0, -1.0}) {
        SCOPED_TRACE(turn > 0 ? "right turn" : "left turn");
        const MainLine line = MainLineBuild(oneCurve(turn * 35, 700, 0, 0));
        const MainLineCurve& c = line.curve(2);
        const Point centre{c.zhPoint.x, turn * 700};  // side 1 runs along +x, so its right is +y
        for (Station s = c.zhStation; s <= c.hzStation; s += 7.5)
            EXPECT_NEAR(Distance(MainLinePointAt(line, s).p, centre), 700, 1e-7) << "station " << s;
    }
}

TEST(MainLinePointAt, StationsBeyondTheEndsExtrapolateAlongTheEndSides) {
    const MainLine line = MainLineBuild(oneCurve(30, 500, 100, 100));
    const PointAtStation before = MainLinePointAt(line, -150), halfway = MainLinePointAt(line, 400);
    EXPECT_NEAR(before.p.x, -150, 1e-12);
    EXPECT_NEAR(halfway.p.x, 400, 1e-12);
    EXPECT_EQ(halfway.bearing, 0);
    const MainLineCurve& end = line.curve(3);
    const PointAtStation beyond = MainLinePointAt(line, end.jdStation + 250);
    EXPECT_LT(Distance(beyond.p, end.jdPoint + 250 * Direction(degrees(30))), 1e-9);
    EXPECT_NEAR(beyond.bearing, degrees(30), 1e-12);

    const MainLine two = MainLineBuild({100, {jd({0, 0}), jd({300, 400})}});  // no curve: one straight
    EXPECT_LT(Distance(MainLinePointAt(two, 850).p, {450, 600}), 1e-12);
    EXPECT_LT(Distance(MainLinePointAt(two, 0).p, {-60, -80}), 1e-12);
}

TEST(MainLinePointAt, BearingJustBelowZeroIsRaisedByAWholeTurn) {
    const MainLine left = MainLineBuild(oneCurve(-30, 500, 100, 100));
    const double u = 1;  // m past ZH, where the spiral has turned u^2 / (2 R Ls) to the left of bearing 0
    EXPECT_NEAR(MainLinePointAt(left, left.curve(2).zhStation + u).bearing, 2 * kPi - u * u / (2 * 500 * 100), 1e-12);
}

TEST(MainLineCurveSearch, BinarySearchFindsTheCurveOfTheLinearScan) {
    const struct {
        const char* name;
        MainLineInput input;
        bool zhInOrder;
    } rows[] = {{"separate curves", generatedLine(1000, 2000, 3000, 11), true},
                {"overlapping curves", generatedLine(1000, 150, 900, 12), false},
                {"three points", oneCurve(30, 500, 100, 100), true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const MainLine line = MainLineBuild(row.input);
        std::vector<Station> zh;
        for (int k = 2; k <= line.intersectionCount() - 1; ++k) zh.push_back(line.curve(k).zhStation);
        ASSERT_EQ(std::is_sorted(zh.begin(), zh.end()), row.zhInOrder);
        const auto [lo, hi] = std::minmax_element(zh.begin(), zh.end());
        std::vector<Station> stations = {*lo - 1e6, *hi + 1e6};
        for (Station z : zh) stations.insert(stations.end(), {z, std::nextafter(z, -1e300), std::nextafter(z, 1e300)});
        for (int j = 0; j <= 20000; ++j) stations.push_back(*lo - 100 + (*hi - *lo + 200) * j / 20000.0);
        for (Station s : stations)
            ASSERT_EQ(MainLineCurveIndex(line, s), MainLineCurveIndexByScan(line, s)) << "station " << s;
    }
}
