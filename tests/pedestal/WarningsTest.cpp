#include <gtest/gtest.h>

#include "TestRoads.h"
#include "pedestal/Calculate.h"
#include "pedestal/Warnings.h"

using namespace tavrel;
using tavrel::testing::circularMainLine;
using tavrel::testing::mainLineOf;
using tavrel::testing::straightRoad;

namespace {

PedestalLayout layoutOf(double skew, std::vector<double> distances,
                        const std::vector<std::pair<std::string, double>>& piers, SideMark mark = SideMark::Both) {
    PedestalLayout l;
    l.skewAngle = skew;
    l.pedestalDistances = std::move(distances);
    for (const auto& [name, station] : piers) {
        PierRecord p;
        p.pierName = name;
        p.baseStation = p.referenceStation = p.referenceNominalStation = station;
        p.deckToTopDepth = 1.5;
        p.designPedestalHeight = 0.3;
        p.sideMark = mark;
        l.piers.push_back(p);
    }
    return l;
}

std::vector<std::string> warningsOf(const ProjectData& project, bool curved, const PedestalLayout& layout) {
    const Road road = project.road(curved);
    return CalculationWarnings(road, CalculatePedestals(road, layout));
}

}  // namespace

TEST(CalculationWarnings, PointsOutsideTheRoadDataAreToldPerPierAndKindOfData) {
    // Profile 0 .. 3000; superelevation rows at 0 and 2000.
    ProjectData project = straightRoad();
    project.superelevation = SuperelevationBuild({7.5, 0.5, -0.5, -7.5}, {{"0", 0, 2, -2}, {"2000", 2000, 3, -3}});
    const auto w = warningsOf(project, false, layoutOf(60, {-4, 4}, {{"inside", 1000}, {"A1", 2500}, {"A2", 3500}}));
    ASSERT_EQ(w.size(), 3u);
    EXPECT_EQ(w[0],
              "墩台A1的墩台中心、垫石1、垫石2、边缘LO、边缘LI、边缘RI、边缘RO桩号超出超高资料的范围（K0+000.000～K2+"
              "000.000），"
              "横坡按端部超高取值");
    EXPECT_NE(w[1].find("墩台A2的墩台中心、垫石1、垫石2"), std::string::npos) << w[1];
    EXPECT_NE(w[1].find("超出纵断面资料的范围（K0+000.000～K3+000.000），高程按端部纵坡延伸计算"), std::string::npos)
        << w[1];
    EXPECT_EQ(w[2].rfind("墩台A2的", 0), 0u);
    EXPECT_NE(w[2].find("超出超高资料的范围"), std::string::npos);

    // A pier right at the profile's end: its centre is covered, the pedestals and edges on the far side are not.
    const auto edge = warningsOf(project, false, layoutOf(60, {-4, 4}, {{"E", 3000}}));
    ASSERT_FALSE(edge.empty());
    EXPECT_EQ(edge[0].find("墩台中心"), std::string::npos) << edge[0];
    EXPECT_NE(edge[0].find("垫石1"), std::string::npos) << edge[0];  // distance -4 lies ahead at 60 degrees
    EXPECT_EQ(edge[0].find("垫石2"), std::string::npos) << edge[0];

    // A table of one row holds everywhere by design: no warning for it.
    EXPECT_TRUE(warningsOf(straightRoad(), false, layoutOf(90, {-4, 4}, {{"far", 2999}})).empty());
}

TEST(CalculationWarnings, FeetBeyondThePlansEndAreTold) {
    const ProjectData project = circularMainLine(300);
    const Station end = mainLineOf(project).curves().back().jdStation;
    const auto w = warningsOf(project, true, layoutOf(60, {-6, 6}, {{"last", end - 1}}));
    bool plan = false;
    for (const auto& text : w) plan = plan || text.find("超出平面资料的范围") != std::string::npos;
    EXPECT_TRUE(plan);
    EXPECT_TRUE(warningsOf(project, true, layoutOf(60, {-6, 6}, {{"mid", 1000}})).empty());
}

TEST(CalculationWarnings, APierWhoseSideMarkListsNoPedestal) {
    const auto w = warningsOf(straightRoad(), false, layoutOf(90, {-3, -1}, {{"3#台", 500}}, SideMark::Left));
    EXPECT_EQ(w, std::vector<std::string>{"墩台3#台的左右标识为Z，按此标识没有列出任何垫石"});
    EXPECT_TRUE(warningsOf(straightRoad(), false, layoutOf(90, {-3, 0}, {{"0#台", 500}}, SideMark::Left)).empty());
}
