#pragma once

#include <cstdint>
#include <memory>

#include "platform/runtime/NSObject.h"

namespace platform::foundation {

class NSDate;

enum NSCalendarUnit : uint64_t {
  NSCalendarUnitHour = 1u << 5,
  NSCalendarUnitMinute = 1u << 6,
  NSCalendarUnitSecond = 1u << 7,
};

// The Gregorian calendar of the device's time zone. The simulated device keeps UTC, so a day
// starts at every multiple of 86400 seconds from the reference date.
class NSCalendar : public runtime::NSObject {
  RUNTIME_CLASS(NSCalendar)

 public:
  static std::shared_ptr<NSCalendar> currentCalendar();

  // The hour (0 to 23), minute or second (0 to 59) of the date; 0 for any other unit.
  int64_t component(NSCalendarUnit unit, const NSDate& date) const;
};

}  // namespace platform::foundation
