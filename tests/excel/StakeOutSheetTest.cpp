// The stake-out sheet: which rows it has, what each holds, its notes, and when a workbook has one.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "excel/SampleResults.h"
#include "excel/SheetCells.h"
#include "excel/StakeOutSheet.h"

using namespace tavrel;
using tavrel::testing::CellIsEmpty;
using tavrel::testing::NumberAt;
using tavrel::testing::SampleEdgeOffset;
using tavrel::testing::SampleEdgeX;
using tavrel::testing::SampleEdgeY;
using tavrel::testing::SampleEdgeZ;
using tavrel::testing::SamplePier;
using tavrel::testing::SampleResult;
using tavrel::testing::SampleTop;
using tavrel::testing::SampleX;
using tavrel::testing::SampleY;
using tavrel::testing::TextAt;
using tavrel::testing::WithPlanePoints;

namespace {

struct Expected {
    std::string pier;
    std::variant<int, std::string> point;  // pedestal number or edge name
    std::string station;
    double offset;
    std::optional<double> x, y;
    double z;
};

// One row of the list: pier, point, station, then offset, X, Y, Z as numbers of three decimals (empty where none).
void expectRow(const Worksheet& ws, int row, const Expected& e) {
    EXPECT_EQ(TextAt(ws, row, 1), e.pier);
    if (const int* k = std::get_if<int>(&e.point)) {
        EXPECT_DOUBLE_EQ(NumberAt(ws, row, 2), *k);
    } else {
        EXPECT_EQ(TextAt(ws, row, 2), std::get<std::string>(e.point));
    }
    EXPECT_EQ(TextAt(ws, row, 3), e.station);
    const std::optional<double> numbers[] = {e.offset, e.x, e.y, e.z};
    for (int c = 4; c <= 7; ++c) {
        const std::optional<double>& v = numbers[c - 4];
        if (v) {
            EXPECT_DOUBLE_EQ(NumberAt(ws, row, c), *v) << c;
        } else {
            EXPECT_TRUE(CellIsEmpty(ws, row, c)) << c;
        }
        EXPECT_EQ(ws.cellAt(row, c)->style.numberFormat, "0.000");
    }
}

}  // namespace

TEST(StakeOutSheet, ListsThePedestalsOfEachPierThenItsEdgePointsWithElevationsAndNotes) {
    // Pedestals at -1.5, 0, 1.5; "1#" lists all, "2号墩" (Z) the two at 0 and 1.5; edge RI has no plane point.
    const CalculationResult r = WithPlanePoints(
        SampleResult(60, {-1.5, 0, 1.5}, {SamplePier("1#", 12345.678), SamplePier("2号墩", 12375.5, SideMark::Left)}),
        {RI});
    const Worksheet ws = StakeOutSheet(r);
    // Units in the headings, the offset's sign under its caption, Z beside X and Y.
    const std::vector<std::pair<std::pair<int, int>, std::string>> header = {
        {{1, 1}, "墩台号"},  {{1, 2}, "点号"}, {{1, 3}, "桩号"}, {{1, 4}, "偏距(m)"}, {{2, 4}, "左正右负"},
        {{1, 5}, "坐标(m)"}, {{2, 5}, "X"},    {{2, 6}, "Y"},    {{2, 7}, "Z"},
    };
    for (const auto& [at, text] : header) EXPECT_EQ(TextAt(ws, at.first, at.second), text);
    EXPECT_EQ(ws.merges(), (std::vector<CellRange>{{1, 1, 2, 1}, {1, 2, 2, 2}, {1, 3, 2, 3}, {1, 5, 1, 7}}));

    const auto edge = [](std::size_t i, int e, const char* station, bool point = true) {
        return Expected{i == 0 ? "1#" : "2号墩",
                        kEdgeNames[static_cast<std::size_t>(e)],
                        station,
                        SampleEdgeOffset(e),
                        point ? std::optional(SampleEdgeX(i, e)) : std::nullopt,
                        point ? std::optional(SampleEdgeY(i, e)) : std::nullopt,
                        SampleEdgeZ(i, e)};
    };
    const std::vector<Expected> expected = {
        {"1#", 1, "K12+345.678", -1.5, SampleX(0, 0), SampleY(0, 0), SampleTop(0, 0)},
        {"1#", 2, "K12+346.678", 0, SampleX(0, 1), SampleY(0, 1), SampleTop(0, 1)},
        {"1#", 3, "K12+347.678", 1.5, SampleX(0, 2), SampleY(0, 2), SampleTop(0, 2)},
        edge(0, LO, "K12+343.678"),
        edge(0, LI, "K12+344.678"),
        edge(0, RI, "K12+345.678", false),
        edge(0, RO, "K12+346.678"),
        {"2号墩", 2, "K12+376.500", 0, SampleX(1, 1), SampleY(1, 1), SampleTop(1, 1)},
        {"2号墩", 3, "K12+377.500", 1.5, SampleX(1, 2), SampleY(1, 2), SampleTop(1, 2)},
        edge(1, LO, "K12+373.500"),
        edge(1, LI, "K12+374.500"),
        edge(1, RI, "K12+375.500", false),
        edge(1, RO, "K12+376.500"),
    };
    for (std::size_t n = 0; n < expected.size(); ++n) {
        const Expected& e = expected[n];
        const int row = static_cast<int>(n) + 3;
        SCOPED_TRACE(row);
        expectRow(ws, row, e);
    }
    // The frame closes on the table's last row; the notes follow after a blank row, left-aligned, without a
    // frame, and name the offset's sign, Z and every edge.
    const int lastRow = static_cast<int>(expected.size()) + 2;
    EXPECT_EQ(ws.cellAt(lastRow, 7)->style.borders.bottom, BorderWeight::Medium);
    EXPECT_EQ(ws.cellAt(lastRow, 7)->style.borders.right, BorderWeight::Medium);
    EXPECT_EQ(ws.cellAt(5, 3)->style.borders.left, BorderWeight::Thin);
    EXPECT_TRUE(CellIsEmpty(ws, lastRow + 1, 1));
    std::string notes;
    for (int row = lastRow + 2; ws.cellAt(row, 1); ++row) {
        notes += TextAt(ws, row, 1);
        EXPECT_EQ(ws.cellAt(row, 1)->style.horizontal, HorizontalAlign::General);
        EXPECT_EQ(ws.cellAt(row, 1)->style.borders, CellBorders{});
    }
    for (const char* part : {"左侧为正", "Z 为高程", "垫石顶面高程", "LO", "LI", "RI", "RO"})
        EXPECT_NE(notes.find(part), std::string::npos) << part;
    EXPECT_EQ(notes.find("断链"), std::string::npos);  // no station here carries a chain mark
}

TEST(StakeOutSheet, OnlyWhenTheCalculationHasPlanePoints) {
    CalculationResult r = SampleResult(60, {-1, 1}, {SamplePier("1#", 100)});
    r.tables.pedestalX.assign(1, std::vector<std::optional<double>>(2));  // the straight path: no points
    EXPECT_FALSE(HasPlanePoints(r));
    r.tables.pedestalX[0][1] = 1.0;
    EXPECT_TRUE(HasPlanePoints(r));
}
