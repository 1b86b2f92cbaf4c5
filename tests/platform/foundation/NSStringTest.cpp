#include <gtest/gtest.h>

#include "platform/foundation/NSString.h"

namespace platform::foundation {
namespace {

TEST(NSStringTest, FloatValueReadsTheLeadingNumberInSinglePrecision) {
  EXPECT_EQ(floatValue("11.4.1"), 11.4f);
  EXPECT_EQ(floatValue("12.4"), 12.4f);
  EXPECT_EQ(floatValue("13"), 13.0f);
  EXPECT_EQ(floatValue("  +13.0beta"), 13.0f);
  EXPECT_EQ(floatValue("-0.5"), -0.5f);
  EXPECT_LT(floatValue("12.99"), 13.0f);
}

TEST(NSStringTest, FloatValueOfTextWithoutANumberIsZero) {
  EXPECT_EQ(floatValue(""), 0.0f);
  EXPECT_EQ(floatValue("   "), 0.0f);
  EXPECT_EQ(floatValue("beta 13"), 0.0f);
  EXPECT_EQ(floatValue("."), 0.0f);
}

TEST(NSStringTest, IntegerValueReadsTheLeadingInteger) {
  EXPECT_EQ(integerValue("1"), 1);
  EXPECT_EQ(integerValue(" 12 songs"), 12);
  EXPECT_EQ(integerValue("+7"), 7);
  EXPECT_EQ(integerValue("-3"), -3);
  EXPECT_EQ(integerValue("05:00"), 5);
  EXPECT_EQ(integerValue("99999999999999999999"), INT64_MAX);
  EXPECT_EQ(integerValue("-99999999999999999999"), INT64_MIN);
}

TEST(NSStringTest, IntegerValueOfTextWithoutAnIntegerIsZero) {
  EXPECT_EQ(integerValue(""), 0);
  EXPECT_EQ(integerValue("songs"), 0);
  // Digits of another numbering system are no integer to it.
  EXPECT_EQ(integerValue("\u0661"), 0);
}

TEST(NSStringTest, LengthCountsUTF16CodeUnits) {
  EXPECT_EQ(length(""), 0u);
  EXPECT_EQ(length("songs"), 5u);
  EXPECT_EQ(length("chanson\u00e9"), 8u);
  EXPECT_EQ(length("\u0623\u063a\u0646\u064a\u0629"), 5u);
  EXPECT_EQ(length("\U0001F319"), 2u);
}

TEST(NSStringTest, IsValidUTF8TakesWellFormedTextOnly) {
  for (std::string_view text :
       std::initializer_list<std::string_view>{"", "songs", "chanson\u00e9", "\u0623\u063a\u0646\u064a\u0629",
                                               "\U0001F319", "\U0010FFFF", std::string_view("a\0b", 3)})
    EXPECT_TRUE(isValidUTF8(text)) << text;
  for (std::string_view text :
       {"\xff", "\x80", "caf\xe9", "\xc3", "\xe2\x82", "\xc0\xaf", "\xe0\x80\xaf", "\xf0\x82\x82\xac",
        "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xf8\x88\x80\x80\x80"})
    EXPECT_FALSE(isValidUTF8(text)) << testing::PrintToString(std::string(text));
}

}  // namespace
}  // namespace platform::foundation
