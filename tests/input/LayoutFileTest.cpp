#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "common/Errors.h"
#include "common/Plane.h"
#include "input/ElementFile.h"
#include "input/IntersectionPointFile.h"
#include "input/LayoutFile.h"
#include "input/SuperelevationFile.h"

using namespace tavrel;

TEST(PedestalLayoutFile, DistancesMarksAndPierLines) {
    const ChainBreakTable none;
    const auto l = ReadLayoutFile(
        "60\r\nL-1.5 x2 3\t\t-4\r\n1#墩 100+L2 1.5 0.3 lr\r\n2#墩  200 1.5 0.3 r\r\n"
        "3#台 300 1.5 0.3\r\n4#台 400 1.5 0.3 Z extra\r\n\r\n5# 500 1 1\r\n",
        none);
    ASSERT_EQ(l.pedestalDistances.size(), 4u);
    EXPECT_EQ(l.pedestalDistances[0], -1.5);
    EXPECT_EQ(l.pedestalDistances[1], 2);
    EXPECT_NEAR(l.pedestalDistances[2], 3 / std::sin(kPi / 3), 1e-12);
    ASSERT_EQ(l.piers.size(), 4u);
    EXPECT_EQ(l.piers[0].sideMark, SideMark::Both);
    EXPECT_EQ(l.piers[0].referenceStation, 102);
    EXPECT_EQ(l.piers[1].sideMark, SideMark::Right);
    EXPECT_EQ(l.piers[2].sideMark, SideMark::Both);
    EXPECT_EQ(l.piers[3].sideMark, SideMark::Both);

    try {
        ReadLayoutFile("90\r\n1 2\r\nA 100 1 1\r\nB 200 1 1 ZR\r\n", none);
        ADD_FAILURE() << "bad side mark accepted";
    } catch (const RejectedText& e) {
        EXPECT_EQ(e.title, "错误");
        EXPECT_TRUE(e.errorIcon);
        EXPECT_STREQ(e.what(), "垫石设置资料第 2 行数据中左右标识标识有误！");
    }
    EXPECT_THROW(ReadLayoutFile("90\r\n1 2\r\n\r\nA 100 1 1\r\n", none), FormatError);  // no pier line
    EXPECT_THROW(ReadLayoutFile("90\r\n\r\nA 100 1 1\r\n", none), FormatError);         // no pedestal
    EXPECT_THROW(ReadLayoutFile("90\r\n1 2\r\nA 100 1\r\n", none), FormatError);        // three values
    EXPECT_THROW(ReadLayoutFile("90\r\nLx 2\r\nA 100 1 1\r\n", none), FormatError);
    EXPECT_THROW(ReadLayoutFile("0\r\n1\r\nA 100 1 1\r\n", none), CalcError);  // offset over sin 0
}

// Where the header's last fields and the first records share a line, a fault there shows the whole line.
TEST(RecordLocation, AFaultShowsItsLineAsItStandsInTheFile) {
    const ChainBreakTable none;
    const std::pair<std::function<void()>, SourceLocation> rows[] = {
        {[&] { ReadSuperelevationFile("7.5,0.5,-0.5\r\n2000.000 2 -2\r\n", none); }, {{}, 2, "2000.000 2 -2"}},
        {[&] { ReadLayoutFile("90 -3 x\r\n1# 100 1 1\r\n", none); }, {{}, 1, "90 -3 x"}},
        {[&] { ReadElementFile("0,0,0,45 9999 9999\r\n"); }, {{}, 1, "0,0,0,45 9999 9999"}},
        {[&] { ReadIntersectionPointFile("路线,0 JD1\r\n"); }, {{}, 1, "路线,0 JD1"}},
    };
    for (const auto& [read, where] : rows) {
        try {
            read();
            ADD_FAILURE() << where.text << " accepted";
        } catch (const TavrelError& e) {
            ASSERT_TRUE(e.where);
            EXPECT_EQ(e.where->line, where.line);
            EXPECT_EQ(e.where->text, where.text);
        }
    }
}
