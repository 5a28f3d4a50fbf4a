#include <gtest/gtest.h>

#include "common/Errors.h"
#include "input/ProfileFile.h"

using namespace tavrel;

namespace {

const ChainBreakTable kNoBreaks{};

}  // namespace

TEST(ProfileFile, BlankLineEndsTheProfile) {
    const auto p = ReadProfileFile("0 100 0\r\n200 104 10000\r\n\r\n400 102 0\r\n", kNoBreaks);
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p[1].stationText, "200");
    EXPECT_EQ(p[1].station, 200);
    EXPECT_EQ(p[1].elevation, 104);
    EXPECT_EQ(p[1].radius, 10000);
}

TEST(ProfileFile, ValuesAreLenientButMustStartWithANumber) {
    const auto p = ReadProfileFile("0 100.5m\r\n200 104 -150\r\n", kNoBreaks);
    EXPECT_EQ(p[0].elevation, 100.5);
    EXPECT_EQ(p[0].radius, 0);  // a missing radius reads 0
    EXPECT_EQ(p[1].radius, -150);
    EXPECT_THROW(ReadProfileFile("0 abc 0\r\n", kNoBreaks), FormatError);
    EXPECT_THROW(ReadProfileFile("0 100 r\r\n", kNoBreaks), FormatError);
    EXPECT_THROW(ReadProfileFile("0\r\n", kNoBreaks), FormatError);
}

TEST(ProfileFile, StationTextsAreConvertedWithTheChainBreaks) {
    const auto breaks = MakeChainBreakTable({{1000, 1100}});
    const auto p = ReadProfileFile("1500 100 0\r\nA900 101 0\r\n", breaks);
    EXPECT_EQ(p[0].station, 1400);
    EXPECT_EQ(p[1].station, 900);
    EXPECT_THROW(ReadProfileFile("1050 100 0\r\n", breaks), RejectedText);
}
