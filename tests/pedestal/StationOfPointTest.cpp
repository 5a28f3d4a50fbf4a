#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "TestRoads.h"
#include "pedestal/StationOfPoint.h"

using namespace tavrel;
using tavrel::testing::circularMainLine;
using tavrel::testing::mainLineOf;

namespace {

// The foot by brute force: the nearest of samples every 1 mm, then a fine local scan.
double footBySampling(const PlanAlignment& plan, double lo, double hi, Point p) {
    auto dist = [&](double s) { return Distance(plan.pointAt(s).p, p); };
    double best = lo;
    for (double s = lo; s <= hi; s += 0.001)
        if (dist(s) < dist(best)) best = s;
    for (double step = 1e-4; step >= 1e-8; step /= 10) {
        for (int k = -10; k <= 10; ++k)
            if (dist(best + k * step) < dist(best)) best = best + k * step;
    }
    return best;
}

}  // namespace

TEST(FootOfAPoint, TrueFootAcrossTheStartOfACircularCurve) {
    // Points left and right of the alignment near ZH and HZ of a plain R = 300 curve: the distance is not
    // symmetric about the foot there, which a plain halving search gets wrong by centimetres.
    const ProjectData project = circularMainLine(300);
    const PlanAlignment plan = *project.planAlignment();
    const MainLineCurve& c = mainLineOf(project).curve(2);
    for (double key : {c.zhStation, c.hzStation}) {
        for (double along : {-12.4, -3.0, 0.0, 2.0, 12.4}) {
            for (double offset : {-12.0, -4.0, 6.0, 12.0}) {
                SCOPED_TRACE(::testing::Message() << "key " << key << " along " << along << " offset " << offset);
                const PointAtStation base = plan.pointAt(key + along);
                const Point p = OffsetPoint(base, offset);
                const double a = key + along - 15, b = key + along + 15;
                const FootPoint f = StationOfPoint(plan, key + along, a, b, p);
                EXPECT_NEAR(f.station, footBySampling(plan, a, b, p), 1e-5);  // 0.01 mm
                EXPECT_NEAR(f.distance, std::fabs(offset), 1e-5);
            }
        }
    }
}

TEST(FootOfAPoint, EdgeCasesOfTheBracket) {
    const ProjectData project = circularMainLine(300);
    const PlanAlignment plan = *project.planAlignment();
    // A collapsed bracket is where the search starts, not its answer: the foot lies 10 m on.
    EXPECT_NEAR(StationOfPoint(plan, 500, 500, 500, {510, 3}).station, 510, 1e-9);
    // A point on the centreline: its own station, distance ~0.
    const FootPoint on = StationOfPoint(plan, 500, 480, 530, {505, 0});
    EXPECT_NEAR(on.station, 505, 1e-9);
    EXPECT_NEAR(on.distance, 0, 1e-9);
    // Signed variant: negative on the left (the side of bearing - pi/2: -y for a road along +x).
    EXPECT_LT(StationOfPointWithSide(plan, 500, 480, 530, {505, -4}).distance, 0);
    EXPECT_GT(StationOfPointWithSide(plan, 500, 480, 530, {505, 4}).distance, 0);
}

// Spans no road has are counted as doubles before a count of cells is taken from them: an int cast of 1e308 / 1 m
// is undefined (clang's -fsanitize=float-cast-overflow stops there). An answer or a reported failure, nothing else.
TEST(FootOfAPoint, SpansFarBeyondAnyRoadEndInAnAnswerOrAReportedFailure) {
    const ProjectData project = circularMainLine(300);
    const PlanAlignment plan = *project.planAlignment();
    for (const auto& [first, second, p] : {std::tuple{500.0, 1e300, Point{505, 3}},
                                           {-1e308, 1e308, Point{505, 3}},
                                           {480.0, 530.0, Point{1e308, -1e308}}}) {
        try {
            EXPECT_TRUE(std::isfinite(StationOfPoint(plan, 500, first, second, p).station));
        } catch (const TavrelError&) {}
    }
}

TEST(PierAxisCrossing, SquarePierMeetsTheOffsetLineAtItsStation) {
    const ProjectData project = circularMainLine(300);
    const PlanAlignment plan = *project.planAlignment();
    const double S = 500;
    const PointAtStation c = plan.pointAt(S);
    const PierAxis axis{S, 90, c.p + 100 * Direction(c.bearing - kPi / 2), c.p + 100 * Direction(c.bearing + kPi / 2)};
    const AxisCrossing x = AxisCrossingAtOffset(plan, axis, 5);
    ASSERT_TRUE(x.crossing);
    EXPECT_LT(Distance(*x.crossing, OffsetPoint(c, 5)), 0.001);
    // A bracket shorter than one sample step is where the search starts, not a wall: the crossing is found.
    const AxisCrossing small = AxisCrossingAtOffset(plan, axis, -0.05);
    EXPECT_EQ(small.samples, 1);
    ASSERT_TRUE(small.crossing);
    EXPECT_LT(Distance(*small.crossing, OffsetPoint(c, -0.05)), 1e-9);
    // Offset 0: the bracket collapses to one sample and no chord.
    const AxisCrossing zero = AxisCrossingAtOffset(plan, axis, 0);
    EXPECT_FALSE(zero.crossing);
    EXPECT_EQ(zero.samples, 1);
}
