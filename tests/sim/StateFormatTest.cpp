#include <gtest/gtest.h>

#include "sim/StateFormat.h"

namespace lunadoze::sim {
namespace {

TEST(StateFormatTest, NumbersHaveAtMostThreeDecimalsAndNoTrailingZeros) {
  EXPECT_EQ(formatNumber(60), "60");
  EXPECT_EQ(formatNumber(60.5), "60.5");
  EXPECT_EQ(formatNumber(1.0 / 3), "0.333");
  EXPECT_EQ(formatNumber(2.0 / 3), "0.667");
  EXPECT_EQ(formatNumber(1801.001), "1801.001");
  EXPECT_EQ(formatNumber(100), "100");
  EXPECT_EQ(formatNumber(0.9996), "1");
  EXPECT_EQ(formatNumber(-1.25), "-1.25");
  EXPECT_EQ(formatNumber(0), "0");
  EXPECT_EQ(formatNumber(-0.0001), "0");
}

TEST(StateFormatTest, TextsAreInDoubleQuotes) {
  EXPECT_EQ(inQuotes("Night Drive"), "\"Night Drive\"");
  EXPECT_EQ(inQuotes(""), "\"\"");
}

}  // namespace
}  // namespace lunadoze::sim
