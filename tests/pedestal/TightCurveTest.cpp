// Pedestal feet and pier edge crossings on curves of radius 25 to 60 m, checked against dense sampling of the
// alignment rather than against the searches' own arithmetic.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <vector>

#include "TestRoads.h"
#include "common/Errors.h"
#include "common/NumberText.h"
#include "pedestal/PedestalPlacement.h"
#include "pedestal/PierSection.h"
#include "pedestal/SkewBracket.h"
#include "pedestal/StationOfPoint.h"

using namespace tavrel;
using tavrel::testing::loopRamp;
using tavrel::testing::tightMainLine;

namespace {

struct TightRoad {
    const char* name;
    ProjectData project;
    double radius;        // m, the smallest on the road
    Station first, last;  // the curved stretch
};

std::vector<TightRoad> tightRoads() {
    std::vector<TightRoad> roads;
    const auto curveOf = [](const ProjectData& p) { return std::get<MainLine>(p.plan).curve(2); };
    ProjectData arc = tightMainLine(25, 0, -120);
    const MainLineCurve a = curveOf(arc);
    roads.push_back({"plain arc R 25, left", std::move(arc), 25, a.zhStation, a.hzStation});
    ProjectData sas = tightMainLine(40, 35, 100, true);
    const MainLineCurve b = curveOf(sas);
    roads.push_back(
        {"spiral-arc-spiral R 40, Ls 35, right, survey coordinates", std::move(sas), 40, b.zhStation, b.hzStation});
    roads.push_back({"element-chain loop R 60 turning 248 degrees", loopRamp(60, 220), 60, 60, 360});
    return roads;
}

// Eight pier stations from 5 m before the curved stretch to 5 m after it.
std::vector<Station> pierStations(const TightRoad& r) {
    std::vector<Station> s;
    for (int i = 0; i < 8; ++i) s.push_back(r.first - 5 + (r.last - r.first + 10) * i / 7);
    return s;
}

constexpr double kSkews[] = {25, 60, 90, 120, 155};

double tangentResidual(const PlanAlignment& plan, Station s, Point p) {
    const PointAtStation c = plan.pointAt(s);
    const Point t = Direction(c.bearing);
    return std::fabs((c.p.x - p.x) * t.x + (c.p.y - p.y) * t.y);
}

// Stations of the local minima of the distance from p to the centreline, sampled every `step` over [lo, hi].
std::vector<Station> distanceMinimaBySampling(const PlanAlignment& plan, Point p, double lo, double hi, double step) {
    const auto f = [&](double s) { return Distance(plan.pointAt(s).p, p); };
    std::vector<Station> minima;
    double f0 = f(lo), f1 = f(lo + step);
    for (int i = 2; lo + i * step <= hi; ++i) {
        const double f2 = f(lo + i * step);
        if (f1 < f0 && f1 <= f2) minima.push_back(lo + (i - 1) * step);
        f0 = f1, f1 = f2;
    }
    return minima;
}

// Position along the pier axis (m from its centre point, positive towards its left half `left`) of the crossing
// with the line at offset o nearest the centre on o's side: the offset line sampled every `step` over [lo, hi],
// each sign change of its side of the axis then halved down to 1e-10 m of station; none when there is no crossing
// on that side.
std::optional<double> nearestCrossingBySampling(const PlanAlignment& plan, Point centre, Point left, double o,
                                                double lo, double hi, double step) {
    const auto at = [&](double s) { return OffsetPoint(plan.pointAt(s), o) - centre; };
    const auto side = [&](const Point& q) { return q.x * left.y - q.y * left.x; };
    std::optional<double> best;
    double s0 = lo;
    for (int i = 1; lo + i * step <= hi; ++i) {
        const double s1 = lo + i * step;
        if ((side(at(s0)) < 0) != (side(at(s1)) < 0)) {
            double a = s0, b = s1;
            while (b - a > 1e-10) {
                const double m = 0.5 * (a + b);
                ((side(at(a)) < 0) == (side(at(m)) < 0) ? a : b) = m;
            }
            const Point q = at(0.5 * (a + b));
            const double t = q.x * left.x + q.y * left.y;
            if (t * o > 0 && (!best || std::fabs(t) < std::fabs(*best))) best = t;
        }
        s0 = s1;
    }
    return best;
}

}  // namespace

TEST(TightCurves, PedestalFootIsTheTrueFootNearestThePier) {
    // Distances up to 12 m along the axis: |distance| * sin(skew) stays at or below half the smallest radius.
    for (const TightRoad& road : tightRoads()) {
        const PlanAlignment plan = *road.project.planAlignment();
        for (const Station S : pierStations(road)) {
            for (const double skew : kSkews) {
                for (const double d : {-12.0, -7.5, -3.0, 3.0, 7.5, 12.0}) {
                    SCOPED_TRACE(::testing::Message()
                                 << road.name << ", pier " << S << ", skew " << skew << ", distance " << d);
                    const PedestalPlacement q = PlacePedestal(road.project.road(true), S, skew, d);
                    ASSERT_TRUE(q.point);
                    const Point p = *q.point;
                    EXPECT_LT(Distance(OffsetPoint(plan.pointAt(q.station), q.offset), p), 1e-6);
                    EXPECT_LT(tangentResidual(plan, q.station, p), 1e-6);
                    const double step = 0.02, reach = 3 * std::fabs(d) + 5;
                    const auto minima = distanceMinimaBySampling(plan, p, S - reach, S + reach, step);
                    ASSERT_FALSE(minima.empty());
                    Station nearest = minima.front();
                    for (const Station m : minima)
                        if (std::fabs(m - S) < std::fabs(nearest - S)) nearest = m;
                    EXPECT_NEAR(q.station, nearest, step);
                }
            }
        }
    }
}

TEST(TightCurves, EdgeCrossingIsTheExactCrossingNearestToThePierOnItsSide) {
    for (const TightRoad& road : tightRoads()) {
        const PlanAlignment plan = *road.project.planAlignment();
        const auto o = EdgeOffsets(road.project.superelevation.widths());
        for (const Station S : pierStations(road)) {
            for (const double skew : kSkews) {
                if (skew == 90) continue;  // a square pier takes its edges from the offsets alone
                SCOPED_TRACE(::testing::Message() << road.name << ", pier " << S << ", skew " << skew);
                const PointAtStation c = plan.pointAt(S);
                const double thetaR = DegreesToRadians(skew);
                const Point left = Direction(c.bearing + thetaR - kPi);
                const Point a = c.p + 100 * left, b = c.p - 100 * left;
                // Sample at least as far as the search may widen: the bracket and the stated reach.
                std::array<std::optional<double>, 4> expected;
                for (int e = LO; e <= RO; ++e) {
                    const auto [s1, s2] = OffsetLineBracket(S, skew, o[e]);
                    const double reach = std::max({std::fabs(s1 - S), std::fabs(s2 - S),
                                                   kReachFactor * std::fabs(o[e]) / std::sin(thetaR) + kReachMargin});
                    expected[e] = nearestCrossingBySampling(plan, c.p, left, o[e], S - reach, S + reach, 0.01);
                }
                PierRecord pier;
                pier.pierName = "T" + PlainNumber(S);
                pier.baseStation = pier.referenceStation = S;
                int missing = LO;
                while (missing <= RO && expected[missing]) ++missing;
                if (missing <= RO) {
                    // No crossing on that side: rejected, naming the pier and the first such edge line.
                    try {
                        BuildPierSection(road.project.road(true), pier, skew);
                        ADD_FAILURE() << "edge " << kEdgeNames[missing] << " has no crossing but was accepted";
                    } catch (const RejectedText& x) {
                        EXPECT_EQ(x.title, "数据有误");
                        EXPECT_EQ(std::string(x.what()), "墩台" + pier.pierName + "的轴线与偏距" +
                                                             PlainNumber(o[missing]) +
                                                             "米处的桥面边线不相交，请检查斜交角和超高资料！");
                    }
                    continue;
                }
                const PierSection s = BuildPierSection(road.project.road(true), pier, skew);
                for (int e = LO; e <= RO; ++e) {
                    SCOPED_TRACE(kEdgeNames[e]);
                    ASSERT_TRUE(s.edgeX[e]);
                    const Point edge{*s.edgeX[e], *s.edgeY[e]};
                    const double dx = b.x - a.x, dy = b.y - a.y;
                    EXPECT_LT(std::fabs((edge.x - a.x) * dy - (edge.y - a.y) * dx) / std::hypot(dx, dy), 1e-6);
                    // On the offset line itself at its station, and the exact crossing to 0.01 mm.
                    EXPECT_LT(Distance(OffsetPoint(plan.pointAt(s.edgeStation[e]), o[e]), edge), 1e-6);
                    EXPECT_LT(tangentResidual(plan, s.edgeStation[e], edge), 1e-6);
                    EXPECT_NEAR(s.edgeDistance[e], *expected[e], 1e-5);
                }
            }
        }
    }
}
