#include <gtest/gtest.h>

#include "common/Errors.h"
#include "common/NumberText.h"

using namespace tavrel;

TEST(NumberText, StrictLenientAndPlain) {
    EXPECT_EQ(StrictNumber("12.5"), 12.5);
    EXPECT_EQ(StrictNumber("-3e2"), -300);
    EXPECT_EQ(StrictNumber("+.5"), 0.5);
    EXPECT_EQ(StrictNumber("5."), 5);
    EXPECT_FALSE(StrictNumber("12a"));
    EXPECT_FALSE(StrictNumber(""));
    EXPECT_FALSE(StrictNumber("."));
    EXPECT_FALSE(StrictNumber("1e999"));
    EXPECT_DOUBLE_EQ(LenientNumber("12abc"), 12);
    EXPECT_DOUBLE_EQ(LenientNumber("1.5e3x"), 1500);
    EXPECT_DOUBLE_EQ(LenientNumber("2e"), 2);
    EXPECT_DOUBLE_EQ(LenientNumber("abc"), 0);
    EXPECT_FALSE(ReadLeadingNumber("-").found);
    EXPECT_THROW(ReadLeadingNumber("1e999"), FormatError);
    EXPECT_EQ(PlainNumber(1100), "1100");
    EXPECT_EQ(PlainNumber(0.5), ".5");
    EXPECT_EQ(PlainNumber(-0.25), "-.25");
    EXPECT_EQ(PlainNumber(1234.5678), "1234.5678");
    EXPECT_EQ(PlainNumber(0.1 + 0.2), ".3");
    EXPECT_EQ(PlainNumber(0), "0");
    EXPECT_EQ(PlainNumber(123456789012345678.0), "1.23456789012346E+17");
}

TEST(NumberText, StationsInKilometreFormRoundedToTheMillimetre) {
    const struct {
        double station;
        const char* text;
    } rows[] = {
        {12345.678, "K12+345.678"}, {12345, "K12+345.000"},   {345.5, "K0+345.500"},
        {0, "K0+000.000"},          {999.9996, "K1+000.000"}, {2395.0004, "K2+395.000"},
        {-12.5, "-K0+012.500"},     {-0.0001, "K0+000.000"},  {1234567.891, "K1234+567.891"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(StationKText(row.station), row.text);
    }
}
