#include <gtest/gtest.h>

#include "common/Errors.h"
#include "input/SuperelevationFile.h"

using namespace tavrel;

namespace {

const ChainBreakTable kNoBreaks{};

}  // namespace

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
