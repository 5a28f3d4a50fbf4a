#include <gtest/gtest.h>

#include <cmath>

#include "TestRoads.h"
#include "common/Errors.h"
#include "common/Plane.h"
#include "mainline/MainLineTestLines.h"
#include "pedestal/Calculate.h"
#include "pedestal/PierSection.h"

using namespace tavrel;
using tavrel::testing::circularMainLine;
using tavrel::testing::mainLineOf;
using tavrel::testing::straightRoad;

namespace {

PedestalLayout layoutOf(double skew, std::vector<double> distances, std::vector<std::string> stations) {
    PedestalLayout l;
    l.skewAngle = skew;
    l.pedestalDistances = std::move(distances);
    for (const auto& s : stations) {
        PierRecord p;
        p.pierName = s + "#";
        p.baseStation = p.referenceStation = p.referenceNominalStation = std::stod(s);
        p.deckToTopDepth = 1.5;
        p.designPedestalHeight = 0.3;
        p.sideMark = SideMark::Both;
        l.piers.push_back(p);
    }
    return l;
}

const std::vector<double> kDistances{-9, -6.5, -2, 0, 0.3, 3, 8.5};

// Distance from p to the line through a and b.
double distanceToLine(Point p, Point a, Point b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    return std::fabs((p.x - a.x) * dy - (p.y - a.y) * dx) / std::hypot(dx, dy);
}

std::string rejection(const ProjectData& project, bool curved, const PedestalLayout& layout) {
    try {
        CalculatePedestals(project.road(curved), layout);
    } catch (const RejectedText& e) {
        return e.title + ": " + e.what();
    }
    return "";
}

}  // namespace

TEST(PedestalHeights, SquarePierWithoutShiftGetsTheDesignHeight) {
    const ProjectData straight = straightRoad();
    const ProjectData curved = circularMainLine(300);
    for (const auto& [name, project, isCurved] :
         {std::tuple{"straight road", &straight, false}, std::tuple{"curved skew path", &curved, true}}) {
        SCOPED_TRACE(name);
        const auto r = CalculatePedestals(project->road(isCurved), layoutOf(90, kDistances, {"300", "720", "900"}));
        for (const auto& row : r.tables.pedestalHeight)
            for (double h : row) EXPECT_NEAR(h, 0.3, 1e-9);
        for (const auto& s : r.sections) EXPECT_EQ(s.edgeNominalStation[LO], s.edgeNominalStation[RO]);
    }
}

TEST(PedestalHeights, AShiftedPierKeepsItsCapAtThePiersOwnStation) {
    PedestalLayout l = layoutOf(90, {-6, 6}, {"300"});
    l.piers[0].stationShift = 2;
    l.piers[0].referenceStation = 302;
    const auto r = CalculatePedestals(straightRoad().road(false), l);
    // The profile rises 1 %: the pedestals sit 2 cm higher than the cap line drawn at station 300.
    EXPECT_NEAR(r.tables.pedestalHeight[0][0], 0.3 + 0.02, 1e-9);
}

TEST(StraightSkew, EdgeDistancesAreOffsetsOverTheSine) {
    const auto r = CalculatePedestals(straightRoad().road(false), layoutOf(60, kDistances, {"500"}));
    const auto o = EdgeOffsets(straightRoad().superelevation.widths());
    const double sin60 = std::sin(kPi / 3), tan60 = std::tan(kPi / 3);
    for (int e = LO; e <= RO; ++e) {
        EXPECT_NEAR(r.sections[0].edgeDistance[e], o[e] / sin60, 1e-12);
        EXPECT_NEAR(r.sections[0].edgeStation[e], 500 - o[e] / tan60, 1e-12);
    }
    // Cap line and pedestal tops meet at the edges of a skew pier on a straight road: heights are design heights
    // wherever the deck is planar along the axis.
    EXPECT_NEAR(r.tables.pedestalHeight[0][3], 0.3, 1e-9);
}

TEST(CurvedSkew, PedestalPointsLieAtTheirOwnStationAndOffset) {
    for (double skew : {60.0, 75.0, 120.0}) {
        for (double spiral : {0.0, 60.0}) {
            SCOPED_TRACE(::testing::Message() << "skew " << skew << " spiral " << spiral);
            const ProjectData project = circularMainLine(300, spiral);
            const PlanAlignment plan = *project.planAlignment();
            const MainLineCurve& c = mainLineOf(project).curve(2);
            const std::vector<std::string> stations{std::to_string(c.zhStation - 5), std::to_string(c.zhStation + 12.4),
                                                    std::to_string((c.zhStation + c.hzStation) / 2),
                                                    std::to_string(c.hzStation + 3)};
            const auto r = CalculatePedestals(project.road(true), layoutOf(skew, kDistances, stations));
            for (std::size_t i = 0; i < stations.size(); ++i) {
                for (std::size_t k = 0; k < kDistances.size(); ++k) {
                    const Point p{*r.tables.pedestalX[i][k], *r.tables.pedestalY[i][k]};
                    const Point back =
                        OffsetPoint(plan.pointAt(r.tables.pedestalStation[i][k]), r.tables.pedestalOffset[i][k]);
                    EXPECT_LT(Distance(p, back), 0.001) << "pier " << i << " pedestal " << k;
                }
                const PierSection& s = r.sections[i];
                const PointAtStation centre = plan.pointAt(s.pierStation);
                const double thetaR = skew * kPi / 180;
                const Point a = centre.p + 100 * Direction(centre.bearing + thetaR - kPi);
                const Point b = centre.p + 100 * Direction(centre.bearing + thetaR);
                const auto o = EdgeOffsets(project.superelevation.widths());
                for (int e = LO; e <= RO; ++e) {
                    ASSERT_TRUE(s.edgeX[e]);
                    const Point edge{*s.edgeX[e], *s.edgeY[e]};
                    EXPECT_LT(distanceToLine(edge, a, b), 0.001) << kEdgeNames[e];
                    EXPECT_LT(Distance(edge, OffsetPoint(plan.pointAt(s.edgeStation[e]), o[e])), 0.001)
                        << kEdgeNames[e];
                }
            }
        }
    }
}

TEST(CurvedSkew, EdgeAtOffsetZeroIsThePiersCentrePoint) {
    ProjectData project = circularMainLine(300);
    project.superelevation =
        SuperelevationBuild({7.5, 0, -0.1, -7.5}, {{"0", 0, 2, -2}});  // LI at 0, RI at a tiny -0.1 m
    const PlanAlignment plan = *project.planAlignment();
    const auto r = CalculatePedestals(project.road(true), layoutOf(75, {-3, 3}, {"1000"}));
    const PierSection& s = r.sections[0];
    const Point centre = plan.pointAt(1000).p;
    EXPECT_EQ(s.edgeStation[LI], 1000);
    EXPECT_EQ(s.edgeDistance[LI], 0);
    EXPECT_LT(Distance({*s.edgeX[LI], *s.edgeY[LI]}, centre), 1e-9);
    // A small offset whose bracket holds a single sample is solved locally, at its offset and on the axis.
    const Point ri{*s.edgeX[RI], *s.edgeY[RI]};
    EXPECT_LT(Distance(ri, OffsetPoint(plan.pointAt(s.edgeStation[RI]), -0.1)), 0.001);
    EXPECT_NEAR(s.edgeDistance[RI], -0.1 / std::sin(75 * kPi / 180), 1e-4);
}

TEST(CurvedSkew, SkewAnglesTheSearchesCannotBracketAreRejectedFirst) {
    const ProjectData project = circularMainLine(300);
    for (double skew : {20.0, 15.0, 160.0, 170.0, 0.0}) {
        SCOPED_TRACE(skew);
        EXPECT_NE(rejection(project, true, layoutOf(skew, {1}, {"500"})).find("数据有误: 曲线斜交桥的斜交角"),
                  std::string::npos);
    }
    EXPECT_EQ(rejection(project, true, layoutOf(90, {1}, {"500"})), "");
    EXPECT_EQ(rejection(project, true, layoutOf(20.5, {1}, {"500"})), "");
}

TEST(CurvedSkew, AStationOutsideThePlanIsRejectedWithItsNumber) {
    const ProjectData project = circularMainLine(300);
    EXPECT_EQ(rejection(project, true, layoutOf(75, {1}, {"5000.5"})),
              "数据有误: 桩号5000.5超出平面数据文件，请修改！");
    EXPECT_EQ(rejection(project, true, layoutOf(75, {1}, {"-1"})), "数据有误: 桩号-1超出平面数据文件，请修改！");
}

TEST(CurvedSkew, APedestalWithoutAFootIsRejectedNamingPierAndPedestal) {
    // Two curves whose tangents overlap: the centreline jumps 3 m where the second one starts, and a point on the
    // outer side of the jump has no station whose normal passes through it.
    ProjectData project = circularMainLine();
    project.plan = MainLineBuild(
        {0,
         {test::jd({0, 0}), test::jd({1000, 0}, 300, 0, 0), test::jd({1100, 60}, 300, 0, 0), test::jd({2000, 100})}});
    PedestalLayout l = layoutOf(60, {-4, -2, 2, 4}, {"1038"});
    l.piers[0].pierName = "3#墩";
    EXPECT_EQ(rejection(project, true, l),
              "数据有误: 墩台3#墩的4号垫石在路线中线上找不到垂足，请检查斜交角和垫石位置！");
}
