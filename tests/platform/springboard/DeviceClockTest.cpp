#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/foundation/NSCalendar.h"
#include "platform/foundation/NSDate.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/springboard/simulation/Phone.h"
#include "tests/platform/springboard/FreshProcessState.h"

namespace platform::foundation {
namespace {

struct TimeOfDay {
  int64_t hour, minute, second;
  bool operator==(const TimeOfDay&) const = default;
};

TimeOfDay timeOfDay(double secondsSinceReferenceDate) {
  auto calendar = NSCalendar::currentCalendar();
  auto date = NSDate::dateWithTimeIntervalSinceReferenceDate(secondsSinceReferenceDate);
  return {calendar->component(NSCalendarUnitHour, *date), calendar->component(NSCalendarUnitMinute, *date),
          calendar->component(NSCalendarUnitSecond, *date)};
}

TEST(DeviceClockTest, TheCalendarSplitsAnyDayIntoItsHoursMinutesAndSeconds) {
  EXPECT_EQ(timeOfDay(0), (TimeOfDay{0, 0, 0}));
  EXPECT_EQ(timeOfDay(23 * 3600 + 59 * 60 + 59.999), (TimeOfDay{23, 59, 59}));
  EXPECT_EQ(timeOfDay(86400 * 400 + 13 * 3600 + 5 * 60 + 7), (TimeOfDay{13, 5, 7}));
  // Before the reference date the day still starts at midnight.
  EXPECT_EQ(timeOfDay(-60), (TimeOfDay{23, 59, 0}));
  EXPECT_EQ(timeOfDay(-86400 - 3600.5), (TimeOfDay{22, 59, 59}));
  EXPECT_EQ(timeOfDay(-1e-12), (TimeOfDay{0, 0, 0}));
}

class DeviceClockPhoneTest : public ::testing::Test {
 protected:
  springboard::FreshProcessState fresh_;
};

TEST_F(DeviceClockPhoneTest, TheDevicesTimeOfDayIsItsStartsPlusTheRunLoopsClock) {
  NSRunLoop& loop = NSRunLoop::mainRunLoop();
  loop.advance(100);  // the device is made with the loop's clock already running
  springboard::Phone phone;
  EXPECT_EQ(timeOfDay(NSDate::date()->timeIntervalSinceReferenceDate()), (TimeOfDay{22, 30, 0}));

  loop.advance(3600 + 29 * 60 + 30);
  EXPECT_EQ(timeOfDay(NSDate::date()->timeIntervalSinceReferenceDate()), (TimeOfDay{23, 59, 30}));
  loop.advance(60);
  EXPECT_EQ(timeOfDay(NSDate::date()->timeIntervalSinceReferenceDate()), (TimeOfDay{0, 0, 30}));

  // A new time of day at the start moves the clock at once, the time since the start kept.
  phone.setTimeOfDayAtStart(int64_t{7} * 3600);
  EXPECT_EQ(timeOfDay(NSDate::date()->timeIntervalSinceReferenceDate()), (TimeOfDay{8, 30, 30}));
}

}  // namespace
}  // namespace platform::foundation
