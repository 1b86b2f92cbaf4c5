#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "platform/foundation/NSLocale.h"
#include "tests/tweak/core/FreshTweakProcessState.h"
#include "tweak/support/TimeFormatting.h"

namespace lunadoze {
namespace {

using platform::foundation::NSLocale;

class TimeFormattingTest : public ::testing::Test {
  FreshTweakProcessState freshProcess_;
};

TEST_F(TimeFormattingTest, MinutesAndSecondsBelowAnHourHoursFromAnHourOn) {
  EXPECT_EQ(timeFormatted(0), "00:00");
  EXPECT_EQ(timeFormatted(59), "00:59");
  EXPECT_EQ(timeFormatted(307), "05:07");
  EXPECT_EQ(timeFormatted(3599), "59:59");
  EXPECT_EQ(timeFormatted(3600), "01:00:00");
  EXPECT_EQ(timeFormatted(3661), "01:01:01");
}

TEST_F(TimeFormattingTest, HoursDoNotWrapAtADay) {
  EXPECT_EQ(timeFormatted(90000), "25:00:00");
  EXPECT_EQ(timeFormatted(std::numeric_limits<int32_t>::max()), "596523:14:07");
}

TEST_F(TimeFormattingTest, NegativeCountsTruncateTowardZero) {
  EXPECT_EQ(timeFormatted(-5), "00:-5");
  EXPECT_EQ(timeFormatted(-65), "-1:-5");
  EXPECT_EQ(timeFormatted(-3600), "00:00");
  EXPECT_EQ(timeFormatted(std::numeric_limits<int32_t>::min()), "-14:-8");
}

TEST_F(TimeFormattingTest, ArabicLocalesGetArabicDigitsAndKeepTheColons) {
  NSLocale::setCurrentLocaleIdentifier("ar_SA");
  EXPECT_EQ(timeFormatted(65), "٠١:٠٥");
  EXPECT_EQ(timeFormatted(3661), "٠١:٠١:٠١");
  NSLocale::setCurrentLocaleIdentifier("ar_MA");
  EXPECT_EQ(timeFormatted(65), "٠١:٠٥");
  NSLocale::setCurrentLocaleIdentifier("fr_FR");
  EXPECT_EQ(timeFormatted(65), "01:05");
  NSLocale::setCurrentLocaleIdentifier("en_US@calendar=japanese");
  EXPECT_EQ(timeFormatted(3661), "01:01:01");
}

}  // namespace
}  // namespace lunadoze
