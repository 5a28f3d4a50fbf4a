#include <gtest/gtest.h>

#include "RecordText.h"
#include "common/Errors.h"
#include "input/IntersectionPointFile.h"

using namespace tavrel;
using tavrel::testing::Repeated;

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
    EXPECT_EQ(p.radiusText, "500");
    EXPECT_EQ(p.spiralInText, "100");
    EXPECT_EQ(p.spiralOut, 80);
    EXPECT_EQ(p.spiralInStartRadius, 1200);
    EXPECT_EQ(p.spiralOutEndRadius, 0);
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
        EXPECT_EQ(in.points[i].incomingKeepsDirection, rows[i].f1);
        EXPECT_EQ(in.points[i].outgoingKeepsDirection, rows[i].f2);
    }
}

TEST(IntersectionPointFile, AThousandPointsFitAndNothingMayFollow) {
    const std::string body = Repeated("JD\r\n1 2 3 4 5\r\n", 1000);
    EXPECT_EQ(ReadIntersectionPointFile("r,0\r\n" + body).points.size(), 1000u);
    EXPECT_THROW(ReadIntersectionPointFile("r,0\r\n" + body + "\r\n"), FormatError);
}
