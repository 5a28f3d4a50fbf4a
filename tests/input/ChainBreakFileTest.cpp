#include <gtest/gtest.h>

#include "RecordText.h"
#include "common/Errors.h"
#include "input/ChainBreakFile.h"

using namespace tavrel;
using tavrel::testing::Repeated;

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
    EXPECT_EQ(ReadChainBreakFile(Repeated("1 2\r\n", 19)).size(), 19u);
    EXPECT_THROW(ReadChainBreakFile(Repeated("1 2\r\n", 20)), FormatError);
}
