#include <gtest/gtest.h>

#include <cmath>

#include "app/FakePort.h"
#include "app/InitializeCommand.h"
#include "common/Errors.h"
#include "common/TextFile.h"
#include "input/LayoutFile.h"
#include "pedestal/Calculate.h"
#include "road/StationTable.h"

using namespace tavrel;
using tavrel::testing::FakePort;

namespace {

const std::string kExamples = TAVREL_EXAMPLES_DIR;

ProjectData exampleMainLine() {
    FakePort port;
    const std::string d = kExamples + "/mainline/";
    port.answer(d + "road.jdx").answer(d + "road.dl").answer(d + "road.zdm").answer(d + "road.cg");
    return LoadProject(RoadMode::MainLine, port);
}

}  // namespace

TEST(StationTable, AgreesWithThePedestalCalculation) {
    const ProjectData project = exampleMainLine();
    const std::string d = kExamples + "/mainline/";
    const PedestalLayout layout = ReadLayoutFile(ReadTextFile(d + "bridge.txt"), project.chainBreaks);
    const CalculationResult r = CalculatePedestals(project.road(true), layout);
    for (std::size_t i = 0; i < layout.piers.size(); ++i) {
        for (std::size_t k = 0; k < layout.pedestalDistances.size(); ++k) {
            const Station s = r.tables.pedestalStation[i][k];
            const double u = r.tables.pedestalOffset[i][k];
            const auto rows = StationTable(project.road(true), s, s, 1, u);
            ASSERT_EQ(rows.size(), 1u);
            EXPECT_LT(std::hypot(*rows[0].x - *r.tables.pedestalX[i][k], *rows[0].y - *r.tables.pedestalY[i][k]),
                      0.001);
            if (u != 0) {
                EXPECT_NEAR(rows[0].elevation.value(), r.tables.deckElevation[i][k], 1e-9);
            }
            EXPECT_NEAR(rows[0].nominalStation, r.tables.pedestalNominalStation[i][k], 1e-9);
        }
    }
}

TEST(StationTable, StepsEndWithTheLastStationAndBearingsAreNormalized) {
    const ProjectData project = exampleMainLine();
    const auto rows = StationTable(project.road(true), 12000, 12025, 10, 0);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[3].station, 12025);
    // Steps are multiples of the step from the start, not a running sum.
    const auto fine = StationTable(project.road(true), 12000, 12001, 0.1, 0);
    ASSERT_EQ(fine.size(), 11u);
    EXPECT_EQ(fine[7].station, 12000 + 7 * 0.1);
    for (const auto& row : StationTable(project.road(true), 12000, 15000, 50, 3)) {
        ASSERT_TRUE(row.bearing);
        EXPECT_GE(*row.bearing, 0);
        EXPECT_LT(*row.bearing, 2 * kPi);
    }
    EXPECT_THROW(StationTable(project.road(true), 12000, 11000, 10, 0), RejectedText);
    EXPECT_THROW(StationTable(project.road(true), 12000, 13000, 0, 0), RejectedText);
    EXPECT_THROW(StationTable(project.road(true), 0, 1e9, 1e-3, 0), RejectedText);
}
