#include <gtest/gtest.h>

#include "common/Errors.h"
#include "common/TempFiles.h"
#include "common/TextFile.h"
#include "common/Tokenize.h"

using namespace tavrel;
using tavrel::testing::TempDir;

TEST(TextDecoding, GbkAndUtf8AreToldApart) {
    // "0#台" in GBK is 30 23 CC A8: CC A8 is also a valid two-byte UTF-8 sequence (U+0328), so a naive
    // "valid UTF-8" test would misread it.
    EXPECT_EQ(DecodeInputText("0#\xCC\xA8"), "0#台");
    // The same text written in UTF-8 (a three-byte character) stays as it is.
    EXPECT_EQ(DecodeInputText("0#台"), "0#台");
    // Longer GBK text: "桥台" = C7 C5 CC A8.
    EXPECT_EQ(DecodeInputText("\xC7\xC5\xCC\xA8 1"), "桥台 1");
    // A byte-order mark marks UTF-8 and is dropped.
    EXPECT_EQ(DecodeInputText("\xEF\xBB\xBF"
                              "abc"),
              "abc");
    EXPECT_EQ(DecodeInputText("plain ascii 123"), "plain ascii 123");
}

TEST(TextDecoding, GbkTextThatGrowsMoreThanTwofoldIsDecodedWhole) {
    // 0x80 is the euro sign in GBK: one byte that becomes three in UTF-8 (E2 82 AC).
    for (const std::size_t euros : {1, 200, 5000}) {
        std::string utf8;
        for (std::size_t k = 0; k < euros; ++k) utf8 += "\xE2\x82\xAC";
        EXPECT_EQ(DecodeInputText("\xC7\xC5 " + std::string(euros, '\x80')), "桥 " + utf8) << euros;
    }
}

TEST(TextDecoding, BadBytesAreFormatErrors) {
    EXPECT_THROW(DecodeInputText(std::string("12\0 34", 6)), FormatError);
    EXPECT_THROW(DecodeInputText("\x80\x80\xFF"), FormatError);  // not GBK either
    EXPECT_THROW(DecodeInputText("abc\xC7"), FormatError);       // truncated GBK character
    EXPECT_THROW(DecodeInputText("\xEF\xBB\xBF"
                                 "\xC7\xC5"),
                 FormatError);  // a BOM but no UTF-8
}

TEST(TextLines, CrLfLoneCrAndLoneLfEachEndALine) {
    const auto lines = SplitLines("a\r\nb\rc\nd\r\n\r\ne");
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "a");
    EXPECT_EQ(lines[1], "b");
    EXPECT_EQ(lines[2], "c");
    EXPECT_EQ(lines[3], "d");
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[5], "e");
    EXPECT_EQ(SplitLines("x\r\n").size(), 1u);  // a final line end starts no empty line
    EXPECT_TRUE(SplitLines("").empty());
}

TEST(TextFiles, OpenFailuresAreTold) {
    TempDir dir;
    EXPECT_THROW(ReadTextFile(""), InputCancelled);
    EXPECT_THROW(ReadTextFile(dir.path()), InputCancelled);
    EXPECT_THROW(ReadTextFile(dir.path() / "missing.dl"), FormatError);
    EXPECT_EQ(ReadTextFile(dir.write("a.dl", "1 2\r\n")), "1 2\r\n");
}

TEST(Tokenize, TabsAndBlankRunsOfAnyLengthAreOneSeparator) {
    const auto t = TokenizeLine("12   34\t\t56");
    ASSERT_TRUE(t);
    EXPECT_EQ(*t, (std::vector<std::string>{"12", "34", "56"}));
    const std::string longRun = "a" + std::string(5000, ' ') + "b" + std::string(51, ' ') + "\t c";
    EXPECT_EQ(*TokenizeLine(longRun), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(*TokenizeLine("  x  "), (std::vector<std::string>{"x"}));
    EXPECT_FALSE(TokenizeLine(""));
    EXPECT_FALSE(TokenizeLine("   \t  "));
}

TEST(Tokenize, HeaderFieldsEndAtCommaBlankOrLineEnd) {
    HeaderReader h("7.5,0.5 0.5\r\n7.5\r\nK1 2 3\r\n");
    EXPECT_EQ(h.number(), 7.5);
    EXPECT_EQ(h.number(), 0.5);
    EXPECT_EQ(h.number(), 0.5);
    EXPECT_EQ(h.number(), 7.5);
    EXPECT_EQ(h.rest(), "K1 2 3\r\n");

    HeaderReader oneLine("某路 线,100\r\nJD1\r\n");
    EXPECT_EQ(oneLine.textField(), "某路 线");
    EXPECT_EQ(oneLine.number(), 100);
    EXPECT_EQ(oneLine.rest(), "JD1\r\n");

    HeaderReader twoLines("某路线 K\nstart\n250.5\nJD1\n");
    EXPECT_EQ(twoLines.textField(), "某路线 K");   // a blank does not end a text field
    EXPECT_THROW(twoLines.number(), FormatError);  // "start" is not a number

    HeaderReader early("1,2");
    early.number();
    early.number();
    EXPECT_THROW(early.number(), FormatError);
}
