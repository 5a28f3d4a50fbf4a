// The stake-out sheet: which rows it has, what each holds, and when a workbook has one.
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
using tavrel::testing::SampleEdgeX;
using tavrel::testing::SampleEdgeY;
using tavrel::testing::SamplePier;
using tavrel::testing::SampleResult;
using tavrel::testing::SampleX;
using tavrel::testing::SampleY;
using tavrel::testing::TextAt;
using tavrel::testing::WithPlanePoints;

TEST(StakeOutSheet, ListsThePedestalsOfEachPierThenItsEdgePoints) {
    // Pedestals at -1.5, 0, 1.5; "1#" lists all, "2号墩" (Z) the two at 0 and 1.5; edge RI has no plane point.
    const CalculationResult r = WithPlanePoints(
        SampleResult(60, {-1.5, 0, 1.5}, {SamplePier("1#", 12345.678), SamplePier("2号墩", 12375.5, SideMark::Left)}),
        {RI});
    const Worksheet ws = StakeOutSheet(r);
    EXPECT_EQ(TextAt(ws, 1, 1), "墩台号");
    EXPECT_EQ(TextAt(ws, 1, 2), "点号");
    EXPECT_EQ(TextAt(ws, 1, 3), "桩号");
    EXPECT_EQ(TextAt(ws, 1, 4), "偏距");
    EXPECT_EQ(TextAt(ws, 1, 5), "坐标");
    EXPECT_EQ(TextAt(ws, 2, 5), "X");
    EXPECT_EQ(TextAt(ws, 2, 6), "Y");
    EXPECT_EQ(ws.merges(),
              (std::vector<CellRange>{{1, 1, 2, 1}, {1, 2, 2, 2}, {1, 3, 2, 3}, {1, 4, 2, 4}, {1, 5, 1, 6}}));

    struct Expected {
        std::string pier;
        std::variant<int, std::string> point;  // pedestal number or edge name
        std::string station;
        std::optional<double> offset, x, y;
    };
    const std::vector<Expected> expected = {
        {"1#", 1, "K12+345.678", -1.5, SampleX(0, 0), SampleY(0, 0)},
        {"1#", 2, "K12+346.678", 0, SampleX(0, 1), SampleY(0, 1)},
        {"1#", 3, "K12+347.678", 1.5, SampleX(0, 2), SampleY(0, 2)},
        {"1#", "LO", "K12+343.678", {}, SampleEdgeX(0, LO), SampleEdgeY(0, LO)},
        {"1#", "LI", "K12+344.678", {}, SampleEdgeX(0, LI), SampleEdgeY(0, LI)},
        {"1#", "RI", "K12+345.678", {}, {}, {}},
        {"1#", "RO", "K12+346.678", {}, SampleEdgeX(0, RO), SampleEdgeY(0, RO)},
        {"2号墩", 2, "K12+376.500", 0, SampleX(1, 1), SampleY(1, 1)},
        {"2号墩", 3, "K12+377.500", 1.5, SampleX(1, 2), SampleY(1, 2)},
        {"2号墩", "LO", "K12+373.500", {}, SampleEdgeX(1, LO), SampleEdgeY(1, LO)},
        {"2号墩", "LI", "K12+374.500", {}, SampleEdgeX(1, LI), SampleEdgeY(1, LI)},
        {"2号墩", "RI", "K12+375.500", {}, {}, {}},
        {"2号墩", "RO", "K12+376.500", {}, SampleEdgeX(1, RO), SampleEdgeY(1, RO)},
    };
    for (std::size_t n = 0; n < expected.size(); ++n) {
        const Expected& e = expected[n];
        const int row = static_cast<int>(n) + 3;
        SCOPED_TRACE(row);
        EXPECT_EQ(TextAt(ws, row, 1), e.pier);
        if (const int* k = std::get_if<int>(&e.point)) {
            EXPECT_DOUBLE_EQ(NumberAt(ws, row, 2), *k);
        } else {
            EXPECT_EQ(TextAt(ws, row, 2), std::get<std::string>(e.point));
        }
        EXPECT_EQ(TextAt(ws, row, 3), e.station);
        const std::optional<double>* numbers[] = {&e.offset, &e.x, &e.y};
        for (int c = 4; c <= 6; ++c) {
            const std::optional<double>& v = *numbers[c - 4];
            if (v) {
                EXPECT_DOUBLE_EQ(NumberAt(ws, row, c), *v) << c;
            } else {
                EXPECT_TRUE(CellIsEmpty(ws, row, c)) << c;
            }
            EXPECT_EQ(ws.cellAt(row, c)->style.numberFormat, "0.000");
        }
    }
    // Nothing below the table; the frame closes on its last row.
    const int lastRow = static_cast<int>(expected.size()) + 2;
    EXPECT_EQ(ws.cellAt(lastRow + 1, 1), nullptr);
    EXPECT_EQ(ws.cellAt(lastRow, 6)->style.borders.bottom, BorderWeight::Medium);
    EXPECT_EQ(ws.cellAt(lastRow, 6)->style.borders.right, BorderWeight::Medium);
    EXPECT_EQ(ws.cellAt(5, 3)->style.borders.left, BorderWeight::Thin);
}

TEST(StakeOutSheet, OnlyWhenTheCalculationHasPlanePoints) {
    CalculationResult r = SampleResult(60, {-1, 1}, {SamplePier("1#", 100)});
    r.tables.pedestalX.assign(1, std::vector<std::optional<double>>(2));  // the straight path: no points
    EXPECT_FALSE(HasPlanePoints(r));
    r.tables.pedestalX[0][1] = 1.0;
    EXPECT_TRUE(HasPlanePoints(r));
}
