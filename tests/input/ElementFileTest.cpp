#include <gtest/gtest.h>

#include "RecordText.h"
#include "common/Errors.h"
#include "input/ElementFile.h"

using namespace tavrel;
using tavrel::testing::Repeated;

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
    EXPECT_EQ(ReadElementFile("0 0 0 0\r\n" + Repeated("9999 9999 1\r\n", 1000)).elements.size(), 1000u);
    EXPECT_THROW(ReadElementFile("0 0 0 0\r\n" + Repeated("9999 9999 1\r\n", 1001)), FormatError);
}
