#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "report/Json.h"

using namespace tavrel;

TEST(JsonText, NumbersReadBackExactlyAndStringsAreEscaped) {
    EXPECT_EQ(NumberText(0.1), "0.1");
    EXPECT_EQ(NumberText(12345.678), "12345.678");
    EXPECT_EQ(NumberText(-0.0), "0");
    EXPECT_EQ(std::stod(NumberText(1.0 / 3)), 1.0 / 3);
    EXPECT_EQ(JsonNumber(std::nullopt), "null");
    EXPECT_EQ(JsonString("1#墩 \"a\"\\\n"), "\"1#墩 \\\"a\\\"\\\\\\n\"");
}
