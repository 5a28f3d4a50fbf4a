#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "common/Errors.h"
#include "excel/Workbook.h"

using namespace tavrel;

namespace {

// The historical two-letter rule, valid for columns 1 .. 702: the divisor 26.00001 makes 52 give AZ.
std::string twoLetterRule(int rows, int cols) {
    std::string letters;
    if (cols > 26) {
        const int first = static_cast<int>(std::floor(cols / 26.00001));
        letters += static_cast<char>(first + 64);
        letters += static_cast<char>(cols - 26 * first + 64);
    } else {
        letters += static_cast<char>(cols + 64);
    }
    return letters + std::to_string(rows);
}

}  // namespace

TEST(Rowcol, WorkedExamples) {
    EXPECT_EQ(CellName(1, 1), "A1");
    EXPECT_EQ(CellName(5, 26), "Z5");
    EXPECT_EQ(CellName(3, 27), "AA3");
    EXPECT_EQ(CellName(10, 52), "AZ10");
    EXPECT_EQ(CellName(2, 702), "ZZ2");
}

TEST(Rowcol, ColumnsAtTheLetterBoundaries) {
    struct Row {
        const char* name;
        int col;
        const char* letters;
    } rows[] = {
        {"last single letter", 26, "Z"},
        {"first pair", 27, "AA"},
        {"Z as second letter", 52, "AZ"},
        {"carry into B", 53, "BA"},
        {"last pair", 702, "ZZ"},
        {"first triple", 703, "AAA"},
        {"Z ends a triple", 728, "AAZ"},
        {"carry inside a triple", 729, "ABA"},
        {"last column of a sheet", 16384, "XFD"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(CellName(7, r.col), std::string(r.letters) + "7");
    }
}

TEST(Rowcol, AgreesWithTheTwoLetterRuleUpToZZ) {
    for (int col = 1; col <= 702; ++col) ASSERT_EQ(CellName(1048576, col), twoLetterRule(1048576, col)) << col;
}

TEST(Rowcol, CellsOutsideTheSheetAreRejected) {
    EXPECT_THROW(CellName(1, 0), CalcError);
    EXPECT_THROW(CellName(1, 16385), CalcError);
    EXPECT_THROW(CellName(0, 1), CalcError);
    EXPECT_THROW(CellName(1048577, 1), CalcError);
}
