#include "platform/foundation/NSCalendar.h"

#include <cmath>

#include "platform/foundation/NSDate.h"
#include "platform/runtime/Runtime.h"

namespace platform::foundation {

namespace {

constexpr double kSecondsPerDay = 86400;

}  // namespace

runtime::Class* NSCalendar::runtimeClass() {
  return runtime::objc_registerClass("NSCalendar", &runtime::NSObject::runtimeClass);
}

std::shared_ptr<NSCalendar> NSCalendar::currentCalendar() {
  return NSCalendar::alloc();
}

int64_t NSCalendar::component(NSCalendarUnit unit, const NSDate& date) const {
  // Floored, so that a date before the reference date still falls in its own day.
  double intoDay = std::fmod(date.timeIntervalSinceReferenceDate(), kSecondsPerDay);
  if (intoDay < 0) intoDay += kSecondsPerDay;
  if (intoDay >= kSecondsPerDay) intoDay = 0;  // a tiny negative rounded up to a whole day
  const auto second = static_cast<int64_t>(std::floor(intoDay));
  switch (unit) {
    case NSCalendarUnitHour:
      return second / 3600;
    case NSCalendarUnitMinute:
      return second / 60 % 60;
    case NSCalendarUnitSecond:
      return second % 60;
  }
  return 0;
}

}  // namespace platform::foundation
