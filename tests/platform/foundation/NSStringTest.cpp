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

TEST(NSStringTest, UTF8TextIsTakenWithEveryCharacterUpToTheLastCodePoint) {
  using namespace std::string_view_literals;
  for (std::string_view text : {""sv, "Car"sv, "a\0b"sv, "chanson\u00e9"sv, "\u0623\u063a"sv, "\uFFFD"sv,
                                "\U0001F319"sv, "\U0010FFFF"sv}) {
    EXPECT_TRUE(isValidUTF8(text)) << text;
  }
}

TEST(NSStringTest, BytesThatAreNoUTF8AreRefused) {
  for (const char* bytes : {
           "\xFF",                  // never a byte of UTF-8
           "Car\x80",               // a continuation byte with no lead
           "\xC3",                  // a sequence cut short
           "\xE2\x82",              //
           "\xC3(",                 // a lead followed by no continuation
           "\xC0\x80",              // NUL written long
           "\xE0\x80\xAF",          // '/' written long
           "\xF0\x82\x82\xAC",      // the euro sign written long
           "\xED\xA0\x80",          // a UTF-16 surrogate
           "\xF4\x90\x80\x80",      // beyond U+10FFFF
           "\xF8\x88\x80\x80\x80",  // a five-byte form
       }) {
    EXPECT_FALSE(isValidUTF8(bytes)) << testing::PrintToString(std::string(bytes));
  }
}

}  // namespace
}  // namespace platform::foundation
