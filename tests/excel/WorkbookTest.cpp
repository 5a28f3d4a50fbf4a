#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <variant>
#include <vector>

#include "common/Errors.h"
#include "excel/Workbook.h"

using namespace tavrel;

TEST(WorkbookMerge, OverlappingMergeIsRejectedASingleCellIsNoMerge) {
    Worksheet ws;
    ws.merge({1, 1, 2, 1});
    ws.merge({3, 3, 3, 3});
    EXPECT_THROW(ws.merge({2, 1, 2, 3}), CalcError);  // would share A2 with A1:A2: a damaged file
    EXPECT_THROW(ws.merge({1, 1, 2, 1}), CalcError);
    ws.merge({1, 2, 2, 2});  // touching is fine
    EXPECT_EQ(ws.merges(), (std::vector<CellRange>{{1, 1, 2, 1}, {1, 2, 2, 2}}));
}

TEST(WorkbookCells, TextMustBeUtf8AndNumbersFinite) {
    Worksheet ws;
    ws.setText(1, 1, "墩台号");
    EXPECT_THROW(ws.setText(1, 1, "\xB6\xD5\xCC\xA8"), CalcError);  // "墩台" in GBK
    EXPECT_THROW(ws.setText(1, 1, "\xE5\xA2"), CalcError);          // cut-off sequence
    EXPECT_THROW(ws.setText(1, 1, "\xC0\xAF"), CalcError);          // overlong "/"
    EXPECT_THROW(ws.setNumber(2, 1, std::nan("")), CalcError);
    EXPECT_EQ(std::get<std::string>(ws.cellAt(1, 1)->value), "墩台号");  // unchanged by the failures
    EXPECT_EQ(ws.cellAt(2, 1), nullptr);
}

TEST(WorkbookSheets, NamesMustBeValidForTheSpreadsheetProgramAndDistinct) {
    struct Row {
        const char* name;
        std::string sheet;
        bool valid;
    } rows[] = {
        {"Chinese", "垫石顶面高程", true},
        {"31 characters", std::string(31, 'a'), true},
        {"32 characters", std::string(32, 'a'), false},
        {"31 CJK characters",
         [] {
             std::string s;
             for (int i = 0; i < 31; ++i) s += "墩";
             return s;
         }(),
         true},
        {"a character outside the BMP counts twice", std::string(30, 'a') + "\xF0\xA0\x80\x80", false},
        {"empty", "", false},
        {"slash", "a/b", false},
        {"backslash", "a\\b", false},
        {"question mark", "a?", false},
        {"star", "a*", false},
        {"colon", "a:b", false},
        {"brackets", "[a]", false},
        {"leading apostrophe", "'a", false},
        {"reserved", "history", false},
        {"not UTF-8", "\xB6\xD5", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Workbook book;
        if (row.valid) {
            EXPECT_NO_THROW(book.appendSheet(Worksheet{}, row.sheet));
            EXPECT_EQ(book.sheets().at(0).name(), row.sheet);
        } else {
            EXPECT_THROW(book.appendSheet(Worksheet{}, row.sheet), CalcError);
            EXPECT_TRUE(book.sheets().empty());
        }
    }
    Workbook book;
    book.appendSheet(Worksheet{}, "Heights");
    EXPECT_THROW(book.insertSheetBeforeActive(Worksheet{}, "HEIGHTS"), CalcError);  // letter case is ignored
    EXPECT_EQ(book.sheets().size(), 1u);
}

TEST(WorkbookSheets, InsertGoesInFrontOfTheActiveSheetAppendKeepsTheActiveOne) {
    Workbook book;
    book.appendSheet(Worksheet{}, "first");
    book.insertSheetBeforeActive(Worksheet{}, "second");
    book.appendSheet(Worksheet{}, "third");
    std::vector<std::string> names;
    for (const Worksheet& ws : book.sheets()) names.push_back(ws.name());
    EXPECT_EQ(names, (std::vector<std::string>{"second", "first", "third"}));
    EXPECT_EQ(book.activeIndex(), 0u);
}

TEST(WorkbookPageSetup, HeaderAndFooterMustFitAndRepeatedRowsLieInTheSheet) {
    Worksheet ws;
    PageSetup p;
    p.header = "&L" + std::string(253, 'x');  // 255 characters with the code
    EXPECT_NO_THROW(ws.setPageSetup(p));
    p.header += "x";
    EXPECT_THROW(ws.setPageSetup(p), CalcError);
    p.header.clear();
    p.footer = "\xB6\xD5";
    EXPECT_THROW(ws.setPageSetup(p), CalcError);
    p.footer.clear();
    p.repeatRows = {2, 1};
    EXPECT_THROW(ws.setPageSetup(p), CalcError);
    p.repeatRows = {1, 2};
    p.repeatColumns = {0, 3};
    EXPECT_THROW(ws.setPageSetup(p), CalcError);
    EXPECT_EQ(ws.pageSetup().header.size(), 255u);  // the last accepted setup stays
}
