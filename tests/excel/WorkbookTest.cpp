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
