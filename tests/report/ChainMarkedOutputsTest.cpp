// A bridge across the stretch a long chain numbers twice: every station each output writes names one point
// when the user types it back, and the labelled point is the one the output means.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "common/NumberText.h"
#include "drawing/BuildPlan.h"
#include "excel/PedestalTables.h"
#include "excel/StakeOutSheet.h"
#include "pedestal/Calculate.h"
#include "pedestal/TestRoads.h"
#include "report/PointsFile.h"
#include "report/ReadableTable.h"
#include "report/StakeOutPoints.h"
#include "station/ReadLabel.h"

using namespace tavrel;
using tavrel::testing::ReadLabelBack;

TEST(ChainMarkedOutputs, EveryStationOnTheDoubledStretchCarriesItsMarkInEveryOutput) {
    // The long chain 1210 -> 1185.64 at continuous 1210: written 1185.64 ... 1210 occur twice. Piers at A1190,
    // A1205 and B1190.64 stand on that stretch, the last at 1240 beyond it.
    ProjectData project = tavrel::testing::circularMainLine();
    project.chainBreaks = MakeChainBreakTable({{1210, 1185.64}});
    PedestalLayout layout;
    layout.skewAngle = 75;
    layout.pedestalDistances = {-3, 3};
    for (const char* text : {"A1190", "A1205", "B1190.64", "1240"}) {
        PierRecord pier;
        pier.pierName = std::to_string(layout.piers.size()) + "#";
        pier.baseStation = pier.referenceStation = StationOfText(project.chainBreaks, text);
        pier.referenceNominalStation = WrittenStation(project.chainBreaks, pier.referenceStation);
        layout.piers.push_back(pier);
    }
    const Road road = project.road(true);
    const CalculationResult r = CalculatePedestals(road, layout);
    const ChainBreakTable& t = r.chainBreaks;

    std::set<char> marks;  // the marks seen, '-' for none
    // A station an output wrote for a point at `station`.
    const auto expectNames = [&](const std::string& label, Station station, const std::string& where) {
        SCOPED_TRACE(where + ": " + label);
        const auto back = ReadLabelBack(t, label);
        ASSERT_TRUE(back) << "does not name one point";
        EXPECT_NEAR(*back, station, 0.0005 + 1e-9);
        marks.insert(label[0] == 'K' ? '-' : label[0]);
    };

    // The readable table: per pier "墩台 0#  桩号 <label>".
    const std::string table = ReadableTable(r);
    for (const PierRecord& pier : layout.piers) {
        const std::string head = "墩台 " + pier.pierName + "  桩号 ";
        const auto at = table.find(head);
        ASSERT_NE(at, std::string::npos) << head;
        const auto from = at + head.size();
        expectNames(table.substr(from, table.find('\n', from) - from), pier.referenceStation, "table");
    }
    // The point file (the station is its fifth field) and the stake-out sheet: a row per stake-out point.
    const std::vector<StakeOutPoint> points = StakeOutPoints(r);
    std::istringstream file(PointsFile(r));
    const Worksheet sheet = StakeOutSheet(r);
    for (std::size_t n = 0; n < points.size(); ++n) {
        std::string field;
        for (int k = 0; k < 5; ++k) std::getline(file, field, ',');
        expectNames(field, points[n].station, "point file row " + std::to_string(n));
        std::getline(file, field);  // the rest of the row
        const Cell* cell = sheet.cellAt(static_cast<int>(n) + 3, 3);
        ASSERT_TRUE(cell && std::holds_alternative<std::string>(cell->value));
        expectNames(std::get<std::string>(cell->value), points[n].station, "stake-out row " + std::to_string(n));
    }
    // The pedestal tables: the station as a number whose format carries the mark.
    const Worksheet tops = PedestalValueSheet(layout, t, r.tables.pedestalTopElevation, 1);
    for (std::size_t i = 0; i < layout.piers.size(); ++i) {
        const Cell* cell = tops.cellAt(static_cast<int>(i) + 3, 2);
        ASSERT_TRUE(cell && std::holds_alternative<double>(cell->value));
        static const std::regex format(R"re(^"(?:([A-Z]) )?K"0\+000\.000$)re");
        std::smatch m;
        ASSERT_TRUE(std::regex_match(cell->style.numberFormat, m, format)) << cell->style.numberFormat;
        const std::string mark = m[1].matched ? m[1].str() + " " : "";
        expectNames(mark + StationKText(std::get<double>(cell->value)), layout.piers[i].referenceStation,
                    "table of top elevations");
    }
    // The drawing: the pedestals' hover texts; the pier and tick labels must at least name one point each.
    const PlanDrawing drawing = BuildPlanDrawing(road, r);
    for (const PedestalMark& m : drawing.pedestals)
        expectNames(m.station, r.tables.pedestalStation[m.pier][m.pedestal], "pedestal hover");
    static const std::regex labelLike(R"(^(?:[A-Z] )?-?K\d+\+\d{3}(?:\.\d{3})?$)");
    std::size_t labels = 0;
    for (const DrawnText& text : drawing.texts) {
        if (!std::regex_match(text.text, labelLike)) continue;
        ++labels;
        EXPECT_TRUE(ReadLabelBack(t, text.text)) << "drawing label " << text.text;
    }
    EXPECT_GE(labels, layout.piers.size() + 6);  // the piers and the ticks at 1190, 1200, 1210 of both sides
    EXPECT_EQ(marks, (std::set<char>{'-', 'A', 'B'}));
}
