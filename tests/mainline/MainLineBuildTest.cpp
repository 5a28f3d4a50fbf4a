#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <utility>

#include "common/Errors.h"
#include "input/IntersectionPointFile.h"
#include "mainline/MainLine.h"
#include "mainline/MainLineTestLines.h"

using namespace tavrel;
using namespace tavrel::test;

TEST(CurveElements, TangentsLengthsAndKeyStationsOfWorkedCurves) {
    const double circleT = 800 * std::tan(degrees(37.5)), circleL = 800 * degrees(75);
    const struct {
        const char* name;
        MainLineInput input;
        double T1, T2, L, Ls1, Ls2;
    } rows[] = {
        {"symmetric: R 500, spirals 100, 30 degrees", oneCurve(30, 500, 100, 100), 184.181, 184.181, 361.799, 100, 100},
        {"unequal: outgoing spiral 60", oneCurve(30, 500, 100, 60), 183.115, 165.118, 341.799, 100, 60},
        {"plain circle R 800, left 75 degrees", oneCurve(-75, 800, 0, 0), circleT, circleT, circleL, 0, 0},
        {"switchback: R 60, spirals 30", switchbackLine(), 11.945, 11.945, 401.011, 30, 30},
    };
    constexpr double kMillimetre = 5e-4;  // m: worked values are given to 1 mm
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const MainLine line = MainLineBuild(row.input);
        const MainLineCurve& c = line.curve(2);
        EXPECT_NEAR(c.tangentIn, row.T1, kMillimetre);
        EXPECT_NEAR(c.tangentOut, row.T2, kMillimetre);
        EXPECT_NEAR(c.curveLength, row.L, kMillimetre);
        EXPECT_EQ(c.jdStation, 1000);  // start station 0 plus side 1
        EXPECT_NEAR(c.zhStation, 1000 - row.T1, kMillimetre);
        EXPECT_NEAR(c.hzStation, 1000 - row.T1 + row.L, kMillimetre);
        EXPECT_NEAR(c.hyStation - c.zhStation, row.Ls1, 1e-9);
        EXPECT_NEAR(c.hzStation - c.yhStation, row.Ls2, 1e-9);
    }
}

TEST(SwitchbackCurve, DeflectionTurnsTheLongWayAndSide2IsReversed) {
    const MainLine line = MainLineBuild(switchbackLine());
    EXPECT_NEAR(line.curve(2).deflection, 6.1835, 5e-5);
    EXPECT_EQ(line.curve(2).R, -60);  // switchback-signed
    EXPECT_NEAR(line.curve(2).sideLength, -std::hypot(1000, 100), 1e-9);
}

TEST(CurveElements, FiveAndSevenTokenPlanLinesGiveIdenticalGeometry) {
    const auto build = [](const char* text) { return MainLineBuild(ReadIntersectionPointFile(text)); };
    const MainLine a = build("r,0\nA\n0 0 0 0 0\nB\n1000 0 500 100 80\nC\n1800 600 0 0 0\n");
    const MainLine b = build("r,0\nA\n0 0 0 0 0 0 0\nB\n1000 0 500 100 80 0 0\nC\n1800 600 0 0 0 0 0\n");
    const MainLineCurve &x = a.curve(2), &y = b.curve(2);
    for (auto [u, v] : {std::pair{x.tangentIn, y.tangentIn},
                        {x.tangentOut, y.tangentOut},
                        {x.curveLength, y.curveLength},
                        {x.hyPoint.x, y.hyPoint.x},
                        {x.yhPoint.y, y.yhPoint.y},
                        {x.bearingHY, y.bearingHY}})
        EXPECT_EQ(u, v);
}

TEST(CurveElements, NoIncomingSpiralPutsHYOnZH) {
    const MainLineCurve c = MainLineBuild(oneCurve(30, 500, 0, 100)).curve(2);
    EXPECT_EQ(c.hyStation, c.zhStation);
    EXPECT_EQ(c.hyPoint.x, c.zhPoint.x);
    EXPECT_EQ(c.hyPoint.y, c.zhPoint.y);
}

TEST(CurveElements, IncompleteIncomingSpiralLeavesZHOnTheIncomingSideBearing) {
    const MainLine line = MainLineBuild(twoCurves(500, 100, 60, 1500, 0));  // spiral from radius 1500 to 500
    const MainLineCurve& c = line.curve(3);
    EXPECT_NEAR(c.virtualLengthIn, 500.0 * 100 / (1500 - 500), 1e-12);
    const PointAtStation atZH = MainLinePointAt(line, c.zhStation);
    EXPECT_LT(Distance(atZH.p, c.zhPoint), 1e-9);
    EXPECT_NEAR(atZH.bearing, line.curve(2).sideBearing, 1e-12);
}

TEST(MainLineErrors, RadiusOrSpiralLengthThatIsNotANumberIsAFormatError) {
    for (const auto& [name, R, Ls1] : {std::tuple{"letters", "abc", "100"},
                                       {"unit", "500m", "100"},
                                       {"empty", "500", ""},
                                       {"letter O", "500", "1O0"}}) {
        SCOPED_TRACE(name);
        MainLineInput in = oneCurve(30, 500, 100, 100);
        in.points[1].radiusText = R, in.points[1].spiralInText = Ls1;
        EXPECT_THROW(MainLineBuild(in), FormatError);
        in.points[0].radiusText = in.points[2].radiusText = R;  // end points' curve values are never read
        in.points[0].spiralInText = in.points[2].spiralInText = Ls1;
        in.points[1] = oneCurve(30, 500, 100, 100).points[1];
        EXPECT_NO_THROW(MainLineBuild(in));
    }
}

TEST(MainLineErrors, GeometryWithoutAFiniteAnswerIsACalculationError) {
    const MainLineInput straight{0, {jd({0, 0}), jd({1000, 0}, 500, 100, 100), jd({2000, 0})}};
    const MainLineInput straightIncomplete{0, {jd({0, 0}), jd({1000, 0}, 500, 100, 100, 1500, 1500), jd({2000, 0})}};
    const struct {
        const char* name;
        MainLineInput input;
    } rows[] = {{"zero radius", oneCurve(30, 0, 100, 100)},
                {"zero radius, no spirals", oneCurve(30, 0, 0, 0)},
                {"zero deflection", straight},
                {"zero deflection, incomplete spirals", straightIncomplete},
                {"incoming spiral starting at the curve radius", oneCurve(30, 500, 100, 100, 500, 0)},
                {"outgoing spiral ending at the curve radius", oneCurve(30, 500, 100, 100, 0, 500)},
                {"half turn back: parallel sides", {0, {jd({0, 0}), jd({1000, 0}, 500, 100, 100), jd({0, 0})}}},
                {"half turn back on a 1 m radius", {0, {jd({0, 0}), jd({1000, 0}, 1, 0, 0), jd({0, 0})}}},
                {"spirals turning through more than the deflection", oneCurve(10, 300, 100, 100)}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_THROW(MainLineBuild(row.input), CalcError);
    }
    // The incomplete spiral turns the virtual tangent, so only the actual straights are parallel.
    EXPECT_THROW(CurveTangents(500, 1500, 0, 100, 100, degrees(1), 0, 0), CalcError);
}

TEST(MainLineErrors, PointAtStationNeedsTwoPointsAndAFiniteStation) {
    EXPECT_THROW(MainLinePointAt(MainLineBuild({}), 0), CalcError);
    EXPECT_THROW(MainLinePointAt(MainLineBuild({0, {jd({5, 5})}}), 0), CalcError);
    const MainLine line = MainLineBuild(oneCurve(30, 500, 100, 100));
    EXPECT_THROW(MainLinePointAt(line, std::numeric_limits<double>::quiet_NaN()), CalcError);
    EXPECT_THROW(MainLinePointAt(line, -std::numeric_limits<double>::infinity()), CalcError);
}
