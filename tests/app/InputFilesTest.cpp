#include <gtest/gtest.h>

#include "app/InputFiles.h"
#include "common/Errors.h"

using namespace tavrel;

namespace {

std::string repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

const ChainBreakTable kNoBreaks{};

}  // namespace

TEST(ChainBreakFile, RecordsUpToTheFirstBlankLine) {
    const auto r = ReadChainBreakFile("1000 1100 extra\r\n2000\t1950\r\n\r\n3000 3100\r\n");
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[1].beforeStation, 2000);
    EXPECT_EQ(r[1].afterStation, 1950);
    EXPECT_TRUE(ReadChainBreakFile("").empty());
    EXPECT_THROW(ReadChainBreakFile("1000\r\n"), FormatError);
    EXPECT_THROW(ReadChainBreakFile("1000 11OO\r\n"), FormatError);
}

TEST(ChainBreakFile, NineteenRecordsFitTwentyDoNot) {
    EXPECT_EQ(ReadChainBreakFile(repeat("1 2\r\n", 19)).size(), 19u);
    EXPECT_THROW(ReadChainBreakFile(repeat("1 2\r\n", 20)), FormatError);
}

TEST(IntersectionPointFile, HeaderOnOneLineOrTwo) {
    const auto a = ReadIntersectionPointFile("路线,250.5\r\nJD0\r\n0 0 0 0 0\r\n");
    EXPECT_EQ(a.mainLineStartStation, 250.5);
    ASSERT_EQ(a.points.size(), 1u);
    const auto b = ReadIntersectionPointFile("路线 一\r\n250.5\r\nJD0\r\n0 0 0 0 0\r\n");
    EXPECT_EQ(b.mainLineStartStation, 250.5);
    EXPECT_EQ(b.points[0].pointName, "JD0");
}

TEST(IntersectionPointFile, FiveOrSevenValuesPerPoint) {
    const auto in = ReadIntersectionPointFile(
        "r,0\r\n JD0 \r\n0 0 0 0 0\r\nJD1\r\n1000 5\t 500 100 80 1200 0\r\nJD2\r\n2000 0 0 0 0\r\n\r\nJD9\r\n");
    ASSERT_EQ(in.points.size(), 3u);
    EXPECT_EQ(in.points[0].pointName, "JD0");
    const auto& p = in.points[1];
    EXPECT_EQ(p.x, 1000);
    EXPECT_EQ(p.y, 5);
    EXPECT_EQ(p.curveValue3, "500");
    EXPECT_EQ(p.curveValue4, "100");
    EXPECT_EQ(p.curveValue5, 80);
    EXPECT_EQ(p.curveValue6, 1200);
    EXPECT_EQ(p.curveValue7, 0);
    // Any other count is an error, not a point that silently keeps stale coordinates.
    EXPECT_THROW(ReadIntersectionPointFile("r,0\r\nJD0\r\n0 0 0 0 0 0\r\n"), FormatError);
    EXPECT_THROW(ReadIntersectionPointFile("r,0\r\nJD0\r\n\r\n"), FormatError);
    EXPECT_THROW(ReadIntersectionPointFile("r,0\r\nJD0\r\n"), FormatError);  // no data line
    EXPECT_THROW(ReadIntersectionPointFile("r,0\r\nJD0\r\nx 0 0 0 0\r\n"), FormatError);
}

TEST(IntersectionPointFile, SwitchbackMarksFromTheName) {
    const auto in = ReadIntersectionPointFile(
        "r,0\r\nJD5ht01\r\n0 0 0 0 0\r\nHT10\r\n0 0 0 0 0\r\nJD3\r\n0 0 0 0 0\r\nxHt\r\n0 0 0 0 0\r\n");
    struct Row {
        const char* name;
        bool sw, f1, f2;
    } rows[] = {{"JD5ht01", true, false, true},
                {"HT10", true, true, false},
                {"JD3", false, false, false},
                {"xHt", true, false, false}};
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(rows[i].name);
        EXPECT_EQ(in.points[i].isSwitchback, rows[i].sw);
        EXPECT_EQ(in.points[i].switchbackFlag1, rows[i].f1);
        EXPECT_EQ(in.points[i].switchbackFlag2, rows[i].f2);
    }
}

TEST(IntersectionPointFile, AThousandPointsFitAndNothingMayFollow) {
    const std::string body = repeat("JD\r\n1 2 3 4 5\r\n", 1000);
    EXPECT_EQ(ReadIntersectionPointFile("r,0\r\n" + body).points.size(), 1000u);
    EXPECT_THROW(ReadIntersectionPointFile("r,0\r\n" + body + "\r\n"), FormatError);
}

TEST(ElementFile, StartValuesThenOneElementPerLine) {
    const auto in = ReadElementFile("100.5,2000,3000,45.3030\r\n9999 9999 100\r\n9999 -300 60 note\r\n\r\n1 1 1\r\n");
    EXPECT_EQ(in.elementStartStation, 100.5);
    EXPECT_EQ(in.elementStartX, 2000);
    EXPECT_EQ(in.elementStartY, 3000);
    EXPECT_NEAR(in.elementStartAzimuth, 45 + 30.0 / 60 + 30.0 / 3600, 1e-12);  // d.mmss read as degrees
    ASSERT_EQ(in.elements.size(), 2u);
    EXPECT_EQ(in.elements[1].endRadius, -300);
    EXPECT_THROW(ReadElementFile("0 0 0 0\r\n9999 9999\r\n"), FormatError);
    EXPECT_THROW(ReadElementFile("0 0 0\r\n"), FormatError);
    EXPECT_EQ(ReadElementFile("0 0 0 0\r\n" + repeat("9999 9999 1\r\n", 1000)).elements.size(), 1000u);
    EXPECT_THROW(ReadElementFile("0 0 0 0\r\n" + repeat("9999 9999 1\r\n", 1001)), FormatError);
}

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

TEST(SuperelevationFile, HeaderWidthsThenStrictSlopes) {
    const auto s = ReadSuperelevationFile("0.75,0.5,0.5,0.75\r\n0 2 -2\r\n100 -3.5 3.5\r\n", kNoBreaks);
    EXPECT_EQ(s.widths().leftSlopedWidth, 0.75);
    EXPECT_EQ(s.widths().centralLeftEdge, 0.5);
    EXPECT_EQ(s.widths().centralRightEdge, 0.5);
    EXPECT_EQ(s.widths().rightSlopedWidth, 0.75);
    ASSERT_EQ(s.records().size(), 2u);
    EXPECT_EQ(s.records()[1].leftSlope, -3.5);
    EXPECT_EQ(s.records()[1].rightSlope, 3.5);
    EXPECT_THROW(ReadSuperelevationFile("1,1,1,1\r\n0 abc 2\r\n", kNoBreaks), FormatError);
    EXPECT_THROW(ReadSuperelevationFile("1,1,1,1\r\n0 2\r\n", kNoBreaks), FormatError);
}
