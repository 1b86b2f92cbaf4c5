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

}  // namespace
}  // namespace platform::foundation
