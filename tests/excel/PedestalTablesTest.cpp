#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "common/Errors.h"
#include "excel/PedestalTables.h"
#include "excel/SampleResults.h"
#include "excel/SheetCells.h"

using namespace tavrel;
using tavrel::testing::CellIsEmpty;
using tavrel::testing::NumberAt;
using tavrel::testing::SampleHeight;
using tavrel::testing::SamplePier;
using tavrel::testing::SampleResult;
using tavrel::testing::SampleTop;
using tavrel::testing::TextAt;
using tavrel::testing::WithPlanePoints;

namespace {

const std::string kWholeStations = "\"K\"0+000";
const std::string kFractionalStations = "\"K\"0+000.000";

// The sheet written by PedestalValueSheet(n = 1) for this layout.
Worksheet generalTable(const CalculationResult& r, int n = 1) {
    return PedestalValueSheet(r.layout, r.chainBreaks, r.tables.pedestalTopElevation, n);
}

std::vector<std::string> sheetNames(const Workbook& book) {
    std::vector<std::string> names;
    for (const Worksheet& ws : book.sheets()) names.push_back(ws.name());
    return names;
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
                EXPECT_DOUBLE_EQ(NumberAt(ws, 3, 3 + j), SampleTop(0, static_cast<std::size_t>(j)));
            } else {
                EXPECT_TRUE(CellIsEmpty(ws, 3, 3 + j));
                // An unlisted cell is still part of the table: framed and formatted.
                ASSERT_NE(ws.cellAt(3, 3 + j), nullptr);
                EXPECT_EQ(ws.cellAt(3, 3 + j)->style.borders.top, BorderWeight::Thin);
                EXPECT_EQ(ws.cellAt(3, 3 + j)->style.numberFormat, "0.000");
            }
        }
        // Name and station are written whatever the mark.
        EXPECT_EQ(TextAt(ws, 3, 1), "1#");
        EXPECT_DOUBLE_EQ(NumberAt(ws, 3, 2), 100);
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
    EXPECT_EQ(TextAt(generalTable(r, 1), 1, 3), "垫石号及垫石顶面高程");
    EXPECT_EQ(TextAt(generalTable(r, 2), 1, 3), "垫石号及垫石高度");
    for (int n : {0, 3, -1}) {
        SCOPED_TRACE(n);
        const Worksheet ws = generalTable(r, n);
        EXPECT_TRUE(CellIsEmpty(ws, 1, 3));
        EXPECT_EQ(ws.merges().back(), (CellRange{1, 3, 1, 4}));  // merged all the same
        EXPECT_EQ(TextAt(ws, 1, 1), "墩台号");
    }
}

TEST(PedestalTableLayout, SinglePedestalGetsItsCaptionWithoutAMerge) {
    const Worksheet ws = generalTable(SampleResult(60, {0.5}, {SamplePier("1#", 100), SamplePier("2#", 130)}));
    EXPECT_EQ(ws.merges(), (std::vector<CellRange>{{1, 1, 2, 1}, {1, 2, 2, 2}}));
    EXPECT_EQ(TextAt(ws, 1, 3), "垫石号及垫石顶面高程");
    EXPECT_DOUBLE_EQ(NumberAt(ws, 3, 3), SampleTop(0, 0));
    EXPECT_DOUBLE_EQ(NumberAt(ws, 4, 3), SampleTop(1, 0));
    EXPECT_EQ(ws.cellAt(1, 3)->style.borders.right, BorderWeight::Medium);
}

TEST(PedestalTableSheets, SquarePierWritesOneTableWithThePierHeightColumn) {
    CalculationResult r =
        SampleResult(90, {-3, -1, 1, 3}, {SamplePier("A0", 500), SamplePier("P1", 530, SideMark::Right)});
    r.tables.pedestalHeight[1][0] = 1.25;  // the column shows the first pedestal's height of each pier
    const Workbook book = ResultWorkbook(r, {});
    ASSERT_EQ(sheetNames(book), std::vector<std::string>{"垫石顶面高程"});
    const Worksheet& ws = book.sheets()[0];
    EXPECT_EQ(ws.merges(), (std::vector<CellRange>{{1, 1, 2, 1}, {1, 2, 2, 2}, {1, 3, 2, 3}, {1, 4, 1, 7}}));
    EXPECT_EQ(TextAt(ws, 1, 3), "垫石高度");
    EXPECT_EQ(TextAt(ws, 1, 4), "垫石号及垫石顶面高程");
    EXPECT_DOUBLE_EQ(NumberAt(ws, 3, 3), SampleHeight(0));
    EXPECT_DOUBLE_EQ(NumberAt(ws, 4, 3), 1.25);
    EXPECT_EQ(ws.cellAt(4, 3)->style.numberFormat, "0.000");
    for (int j = 0; j < 4; ++j) EXPECT_DOUBLE_EQ(NumberAt(ws, 3, 4 + j), SampleTop(0, static_cast<std::size_t>(j)));
    EXPECT_TRUE(CellIsEmpty(ws, 4, 6));  // "Y": the pedestals at 1 and 3 are not listed
    EXPECT_TRUE(CellIsEmpty(ws, 4, 7));
}

TEST(PedestalTableSheets, SkewPierWritesHeightsInFrontOfTopElevations) {
    const Workbook book = ResultWorkbook(SampleResult(89.999, {-1, 1}, {SamplePier("1#", 100)}), {});
    const auto& sheets = book.sheets();
    ASSERT_EQ(sheetNames(book), (std::vector<std::string>{"垫石高度", "垫石顶面高程"}));
    EXPECT_EQ(book.activeIndex(), 0u);
    EXPECT_EQ(TextAt(sheets[0], 1, 3), "垫石号及垫石高度");
    EXPECT_DOUBLE_EQ(NumberAt(sheets[0], 3, 4), SampleHeight(1));
    EXPECT_EQ(TextAt(sheets[1], 1, 3), "垫石号及垫石顶面高程");
    EXPECT_DOUBLE_EQ(NumberAt(sheets[1], 3, 4), SampleTop(0, 1));
}

TEST(PedestalTableSheets, SheetsOfEachPathAreNamedForWhatTheyHoldAndPrintAlike) {
    const auto piers = std::vector<PierRecord>{SamplePier("1#", 100), SamplePier("2#", 130)};
    struct Row {
        const char* name;
        CalculationResult result;
        std::vector<std::string> sheets;
    } rows[] = {
        {"straight skew", SampleResult(60, {-1, 1}, piers), {"垫石高度", "垫石顶面高程"}},
        {"straight square", SampleResult(90, {-1, 1}, piers), {"垫石顶面高程"}},
        {"plan, skew", WithPlanePoints(SampleResult(60, {-1, 1}, piers)), {"垫石高度", "垫石顶面高程", "垫石坐标"}},
        {"plan, square",
         WithPlanePoints(SampleResult(90, {-1, 1}, piers), {LO, LI, RI, RO}),
         {"垫石顶面高程", "垫石坐标"}},
    };
    const ResultSource source{"/projects/G318/bridge.txt", {"/projects/G318/road.zdm"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Workbook book = ResultWorkbook(row.result, source);
        EXPECT_EQ(sheetNames(book), row.sheets);
        EXPECT_EQ(book.activeIndex(), 0u);
        for (const Worksheet& ws : book.sheets()) {
            SCOPED_TRACE(ws.name());
            EXPECT_NO_THROW(CheckSheetName(ws.name()));
            EXPECT_EQ(ws.pageSetup(), ResultPageSetup(source));
        }
    }
}

TEST(PedestalTableSheets, NonFiniteValueIsACalculationError) {
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
        {"pedestal X", 60, [](CalculationResult& r, double v) { r.tables.pedestalX[0][1] = v; }, nan},
        {"pedestal station", 90, [](CalculationResult& r, double v) { r.tables.pedestalStation[1][0] = v; }, inf},
        {"edge elevation", 60, [](CalculationResult& r, double v) { r.sections[0].edgeElevation[LI] = v; }, nan},
        {"edge Y", 60, [](CalculationResult& r, double v) { r.sections[1].edgeY[RO] = v; }, -inf},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CalculationResult r =
            WithPlanePoints(SampleResult(row.skew, {-1, 1}, {SamplePier("1#", 100), SamplePier("2#", 130)}));
        row.spoil(r, row.bad);
        EXPECT_THROW(ResultWorkbook(r, {}), CalcError);
    }
}

TEST(PedestalTableSheets, TableThatDoesNotFitTheLayoutIsRejected) {
    const CalculationResult r = SampleResult(60, {-1, 1}, {SamplePier("1#", 100), SamplePier("2#", 130)});
    ResultTable shortRow = r.tables.pedestalTopElevation, missingPier = shortRow;
    shortRow[1].pop_back();
    missingPier.pop_back();
    EXPECT_THROW(PedestalValueSheet(r.layout, r.chainBreaks, shortRow, 1), CalcError);
    EXPECT_THROW(SquarePierSheet(r.layout, r.chainBreaks, r.tables.pedestalTopElevation, missingPier), CalcError);
    EXPECT_THROW(PedestalValueSheet(SampleResult(60, {-1, 1}, {}).layout, {}, {}, 1), CalcError);  // no pier
    CalculationResult noSections = WithPlanePoints(r);
    noSections.sections.pop_back();
    EXPECT_THROW(StakeOutSheet(noSections), CalcError);
}

TEST(PedestalTableLayout, PierColumnHoldsTheLongestNameCountingWideCharactersTwice) {
    struct Row {
        const char* name;
        std::vector<std::string> piers;
        double width;
    } rows[] = {
        {"short names keep the old width", {"0#", "1号墩"}, 6},
        {"ramp abutment", {"0#", "A匝道0#台", "A匝道1#墩"}, 9},
        {"ten CJK characters", {"一二三四五六七八九十"}, 20},
        {"full-width letters are wide", {"ＡＢＣＤ"}, 8},
        {"Latin only", {"Pier-12-left"}, 12},
        {"a name longer than any column", {std::string(300, 'P')}, 255},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<PierRecord> piers;
        for (const std::string& n : row.piers) piers.push_back(SamplePier(n, 100));
        const Workbook book = ResultWorkbook(WithPlanePoints(SampleResult(60, {0}, piers)), {});
        for (const Worksheet& ws : book.sheets()) {
            SCOPED_TRACE(ws.name());
            EXPECT_EQ(ws.columnWidth(1), row.width);
        }
        const CalculationResult square = SampleResult(90, {0}, piers);
        EXPECT_EQ(SquarePierSheet(square.layout, square.chainBreaks, square.tables.pedestalTopElevation,
                                  square.tables.pedestalHeight)
                      .columnWidth(1),
                  row.width);
    }
}

TEST(ResultPageSetup, A4LandscapeOnePageWideWithTitlesAndTheSourcesInTheHeader) {
    const PageSetup p = ResultPageSetup({"/data/大桥/bridge.txt", {"/data/大桥/road.jdx", "/data/大桥/road.zdm"}});
    EXPECT_TRUE(p.landscape);
    EXPECT_EQ(p.paperSize, 9);
    EXPECT_TRUE(p.fitToPageWidth);
    EXPECT_EQ(p.repeatRows, (std::pair{1, 2}));
    EXPECT_EQ(p.repeatColumns, (std::pair{1, 2}));
    EXPECT_TRUE(p.centreHorizontally);
    EXPECT_EQ(p.header, "&L垫石设置资料：bridge.txt&R道路资料：/data/大桥");
    EXPECT_EQ(p.footer, "&C第 &P 页 共 &N 页 &D");
}

TEST(ResultPageSetup, HeaderNamesFilesWhereverTheyAreAndStaysWithinTheLimit) {
    const std::string longFolder = "/" + std::string(200, 'a') + "/项目/" + std::string(100, 'b');
    struct Row {
        const char* name;
        ResultSource source;
        std::string header;  // empty: only the checks below
    } rows[] = {
        {"layout elsewhere: its whole path",
         {"/data/layouts/bridge.txt", {"/data/road/a.zdm", "/data/road/a.cg"}},
         "&L垫石设置资料：/data/layouts/bridge.txt&R道路资料：/data/road"},
        {"road files in two folders",
         {"/data/a/bridge.txt", {"/data/a/r.zdm", "/data/b/r.cg", "/data/a/r.dl"}},
         "&L垫石设置资料：/data/a/bridge.txt&R道路资料：/data/a；/data/b"},
        {"an ampersand is written twice",
         {"/data/A&B/bridge.txt", {"/data/A&B/r.zdm"}},
         "&L垫石设置资料：bridge.txt&R道路资料：/data/A&&B"},
        {"relative paths are made whole",
         {"bridge.txt", {"road.zdm"}},
         "&L垫石设置资料：bridge.txt&R道路资料：" + std::filesystem::current_path().lexically_normal().string()},
        {"no files known", {}, ""},
        {"a folder too long for the header", {longFolder + "/bridge.txt", {longFolder + "/r.zdm"}}, ""},
        {"ampersands at the cut",
         {"/" + std::string(300, '&') + "/b.txt", {"/r/" + std::string(300, '&') + "/z.cg"}},
         ""},
        {"bytes that are not UTF-8",
         {"/data/\xB4\xF3\xC7\xC5/bridge.txt", {"/data/\xB4\xF3\xC7\xC5/r.zdm"}},
         "&L垫石设置资料：bridge.txt&R道路资料：/data/\uFFFD\uFFFD\uFFFD\uFFFD"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const PageSetup p = ResultPageSetup(row.source);
        if (!row.header.empty() || row.source.layoutFile.empty()) {
            EXPECT_EQ(p.header, row.header);
        }
        // The model accepts it: UTF-8 and at most 255 characters.
        Worksheet ws;
        EXPECT_NO_THROW(ws.setPageSetup(p));
        // A cut keeps the end of each path and never leaves a lone "&" that would start a code.
        if (row.header.empty() && !row.source.layoutFile.empty()) {
            EXPECT_NE(p.header.find("…"), std::string::npos);
            EXPECT_NE(p.header.find("&R道路资料："), std::string::npos);
            const std::string layoutEnd = row.source.layoutFile.filename().string();
            EXPECT_NE(p.header.find(layoutEnd), std::string::npos) << p.header;
            std::size_t amps = 0;
            for (std::size_t i = 0; i < p.header.size(); ++i) {
                if (p.header[i] == '&') {
                    ++amps;
                    continue;
                }
                if (amps % 2 == 1) {
                    EXPECT_NE(std::string("LR").find(p.header[i]), std::string::npos) << i;
                }
                amps = 0;
            }
        }
    }
}
