#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "common/Errors.h"
#include "excel/PedestalTables.h"
#include "excel/SampleResults.h"

using namespace tavrel;
using tavrel::testing::SampleHeight;
using tavrel::testing::SamplePier;
using tavrel::testing::SampleResult;
using tavrel::testing::SampleTop;

namespace {

const std::string kWholeStations = "\"K\"0+000";
const std::string kFractionalStations = "\"K\"0+000.000";

bool isEmpty(const Worksheet& ws, int row, int col) {
    const Cell* c = ws.cellAt(row, col);
    return !c || std::holds_alternative<std::monostate>(c->value);
}

double numberAt(const Worksheet& ws, int row, int col) {
    const Cell* c = ws.cellAt(row, col);
    if (!c || !std::holds_alternative<double>(c->value)) {
        ADD_FAILURE() << "no number in " << rowcol(row, col);
        return std::nan("");
    }
    return std::get<double>(c->value);
}

std::string textAt(const Worksheet& ws, int row, int col) {
    const Cell* c = ws.cellAt(row, col);
    if (!c || !std::holds_alternative<std::string>(c->value)) return "<no text in " + rowcol(row, col) + ">";
    return std::get<std::string>(c->value);
}

// The one sheet written by excelout(n = 1) for this layout.
Worksheet generalTable(const CalculationResult& r, int n = 1) {
    ExcelApp app;
    ExcelConnect(app);
    excelout(app, r.layout, r.tables.pedestalTopElevation, n);
    return app.workbook().sheets().at(0);
}

}  // namespace

TEST(PedestalTableSideRule, SideMarkChoosesThePedestalsOfTheRow) {
    struct Row {
        SideMark mark;
        std::vector<bool> listed;  // pedestals at -1.5, 0, 1.5
    } rows[] = {
        {SideMark::Both, {true, true, true}},
        {SideMark::Left, {false, true, true}},
        {SideMark::Right, {true, true, false}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("mark \"") + SideMarkText(row.mark) + "\"");
        const Worksheet ws = generalTable(SampleResult(60, {-1.5, 0, 1.5}, {SamplePier("1#", 100, row.mark)}));
        for (int j = 0; j < 3; ++j) {
            SCOPED_TRACE(j);
            if (row.listed[static_cast<std::size_t>(j)]) {
                EXPECT_DOUBLE_EQ(numberAt(ws, 3, 3 + j), SampleTop(0, static_cast<std::size_t>(j)));
            } else {
                EXPECT_TRUE(isEmpty(ws, 3, 3 + j));
                // An unlisted cell is still part of the table: framed and formatted.
                ASSERT_NE(ws.cellAt(3, 3 + j), nullptr);
                EXPECT_EQ(ws.cellAt(3, 3 + j)->style.borders.top, BorderWeight::Thin);
                EXPECT_EQ(ws.cellAt(3, 3 + j)->style.numberFormat, "0.000");
            }
        }
        // Name and station are written whatever the mark.
        EXPECT_EQ(textAt(ws, 3, 1), "1#");
        EXPECT_DOUBLE_EQ(numberAt(ws, 3, 2), 100);
    }
}

TEST(PedestalTableStationFormat, WholeStationsShowWholeMetresOneFractionSwitchesTheColumn) {
    struct Row {
        const char* name;
        std::vector<double> stations;
        std::string format;
    } rows[] = {
        {"all whole", {12345, 12375, 0}, kWholeStations},
        {"one fractional in the middle", {12345, 12375.5, 12405}, kFractionalStations},
        {"one millimetre", {12345, 12375, 12405.001}, kFractionalStations},
        {"negative whole", {-20, 12345}, kWholeStations},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<PierRecord> piers;
        for (double s : row.stations) piers.push_back(SamplePier("P", s));
        const Worksheet ws = generalTable(SampleResult(60, {0}, piers));
        for (int r = 3; r < 3 + static_cast<int>(piers.size()); ++r) {
            ASSERT_NE(ws.cellAt(r, 2), nullptr);
            EXPECT_EQ(ws.cellAt(r, 2)->style.numberFormat, row.format) << r;
            EXPECT_EQ(ws.cellAt(r, 3)->style.numberFormat, "0.000") << r;
        }
    }
}

TEST(PedestalTableCaption, OnlyTablesOneAndTwoHaveAGroupCaption) {
    const CalculationResult r = SampleResult(60, {-1, 1}, {SamplePier("1#", 100)});
    EXPECT_EQ(textAt(generalTable(r, 1), 1, 3), "垫石号及垫石顶面高程");
    EXPECT_EQ(textAt(generalTable(r, 2), 1, 3), "垫石号及垫石高度");
    for (int n : {0, 3, -1}) {
        SCOPED_TRACE(n);
        const Worksheet ws = generalTable(r, n);
        EXPECT_TRUE(isEmpty(ws, 1, 3));
        EXPECT_EQ(ws.merges().back(), (CellRange{1, 3, 1, 4}));  // merged all the same
        EXPECT_EQ(textAt(ws, 1, 1), "墩台号");
    }
}

TEST(PedestalTableLayout, SinglePedestalGetsItsCaptionWithoutAMerge) {
    const Worksheet ws = generalTable(SampleResult(60, {0.5}, {SamplePier("1#", 100), SamplePier("2#", 130)}));
    EXPECT_EQ(ws.merges(), (std::vector<CellRange>{{1, 1, 2, 1}, {1, 2, 2, 2}}));
    EXPECT_EQ(textAt(ws, 1, 3), "垫石号及垫石顶面高程");
    EXPECT_DOUBLE_EQ(numberAt(ws, 3, 3), SampleTop(0, 0));
    EXPECT_DOUBLE_EQ(numberAt(ws, 4, 3), SampleTop(1, 0));
    EXPECT_EQ(ws.cellAt(1, 3)->style.borders.right, BorderWeight::Medium);
}

TEST(PedestalTableSheets, SquarePierWritesOneTableWithThePierHeightColumn) {
    ExcelApp app;
    CalculationResult r =
        SampleResult(90, {-3, -1, 1, 3}, {SamplePier("A0", 500), SamplePier("P1", 530, SideMark::Right)});
    r.tables.pedestalHeight[1][0] = 1.25;  // the column shows the first pedestal's height of each pier
    WriteResultSheets(app, r);
    ASSERT_EQ(app.workbook().sheets().size(), 1u);
    const Worksheet& ws = app.workbook().sheets()[0];
    EXPECT_EQ(ws.merges(), (std::vector<CellRange>{{1, 1, 2, 1}, {1, 2, 2, 2}, {1, 3, 2, 3}, {1, 4, 1, 7}}));
    EXPECT_EQ(textAt(ws, 1, 3), "垫石高度");
    EXPECT_EQ(textAt(ws, 1, 4), "垫石号及垫石顶面高程");
    EXPECT_DOUBLE_EQ(numberAt(ws, 3, 3), SampleHeight(0));
    EXPECT_DOUBLE_EQ(numberAt(ws, 4, 3), 1.25);
    EXPECT_EQ(ws.cellAt(4, 3)->style.numberFormat, "0.000");
    for (int j = 0; j < 4; ++j) EXPECT_DOUBLE_EQ(numberAt(ws, 3, 4 + j), SampleTop(0, static_cast<std::size_t>(j)));
    EXPECT_TRUE(isEmpty(ws, 4, 6));  // "Y": the pedestals at 1 and 3 are not listed
    EXPECT_TRUE(isEmpty(ws, 4, 7));
}

TEST(PedestalTableSheets, SkewPierWritesHeightsInFrontOfTopElevations) {
    ExcelApp app;
    WriteResultSheets(app, SampleResult(89.999, {-1, 1}, {SamplePier("1#", 100)}));
    const auto& sheets = app.workbook().sheets();
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(app.workbook().activeIndex(), 0u);
    EXPECT_EQ(textAt(sheets[0], 1, 3), "垫石号及垫石高度");
    EXPECT_DOUBLE_EQ(numberAt(sheets[0], 3, 4), SampleHeight(1));
    EXPECT_EQ(textAt(sheets[1], 1, 3), "垫石号及垫石顶面高程");
    EXPECT_DOUBLE_EQ(numberAt(sheets[1], 3, 4), SampleTop(0, 1));
    EXPECT_EQ(sheets[0].name(), "Sheet2");
    EXPECT_EQ(sheets[1].name(), "Sheet1");
}

TEST(PedestalTableSheets, LaterCalculationsGoInFrontOfEarlierOnes) {
    ExcelApp app;
    WriteResultSheets(app, SampleResult(60, {0}, {SamplePier("first", 100)}));
    WriteResultSheets(app, SampleResult(90, {0}, {SamplePier("second", 200)}));
    WriteResultSheets(app, SampleResult(45, {0}, {SamplePier("third", 300)}));
    std::vector<std::string> names, piers;
    for (const Worksheet& ws : app.workbook().sheets()) {
        names.push_back(ws.name());
        piers.push_back(textAt(ws, 3, 1));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Sheet5", "Sheet4", "Sheet3", "Sheet2", "Sheet1"}));
    EXPECT_EQ(piers, (std::vector<std::string>{"third", "third", "second", "first", "first"}));
    EXPECT_EQ(app.workbook().activeIndex(), 0u);
}

TEST(PedestalTableSheets, NonFiniteValueIsACalculationErrorAndAddsNoSheet) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Row {
        const char* name;
        double skew;
        void (*spoil)(CalculationResult&, double);
        double bad;
    } rows[] = {
        {"top elevation", 60, [](CalculationResult& r, double v) { r.tables.pedestalTopElevation[1][0] = v; }, nan},
        {"height, the second sheet", 60, [](CalculationResult& r, double v) { r.tables.pedestalHeight[1][1] = v; },
         inf},
        {"square pier height", 90, [](CalculationResult& r, double v) { r.tables.pedestalHeight[0][0] = v; }, nan},
        {"station", 60, [](CalculationResult& r, double v) { r.layout.piers[1].referenceNominalStation = v; }, -inf},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ExcelApp app;
        WriteResultSheets(app, SampleResult(60, {0}, {SamplePier("earlier", 1)}));
        CalculationResult r = SampleResult(row.skew, {-1, 1}, {SamplePier("1#", 100), SamplePier("2#", 130)});
        row.spoil(r, row.bad);
        EXPECT_THROW(WriteResultSheets(app, r), CalcError);
        ASSERT_EQ(app.workbook().sheets().size(), 2u);
        EXPECT_EQ(textAt(app.workbook().sheets()[0], 3, 1), "earlier");
        EXPECT_EQ(app.workbook().activeIndex(), 0u);
    }
}

TEST(PedestalTableSheets, TableThatDoesNotFitTheLayoutIsRejected) {
    ExcelApp app;
    ExcelConnect(app);
    const CalculationResult r = SampleResult(60, {-1, 1}, {SamplePier("1#", 100), SamplePier("2#", 130)});
    ResultTable shortRow = r.tables.pedestalTopElevation, missingPier = shortRow;
    shortRow[1].pop_back();
    missingPier.pop_back();
    EXPECT_THROW(excelout(app, r.layout, shortRow, 1), CalcError);
    EXPECT_THROW(excelout90(app, r.layout, r.tables.pedestalTopElevation, missingPier), CalcError);
    EXPECT_THROW(excelout(app, SampleResult(60, {-1, 1}, {}).layout, {}, 1), CalcError);  // no pier
    EXPECT_TRUE(app.workbook().sheets().empty());
}

TEST(ExcelConnect, StartsTheSessionWorkbookOnceAndKeepsIt) {
    ExcelApp app;
    const CalculationResult r = SampleResult(60, {0}, {SamplePier("1#", 100)});
    EXPECT_THROW(excelout(app, r.layout, r.tables.pedestalTopElevation, 1), CalcError);  // not connected yet
    ExcelConnect(app);
    excelout(app, r.layout, r.tables.pedestalTopElevation, 1);
    ExcelConnect(app);  // attaches to the same workbook
    excelout(app, r.layout, r.tables.pedestalHeight, 2);
    EXPECT_EQ(app.workbook().sheets().size(), 2u);
}
