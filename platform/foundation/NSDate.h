#pragma once

#include <memory>

#include "platform/runtime/NSObject.h"

namespace platform::foundation {

// A moment, as seconds since the reference date (1 January 2001, 00:00 UTC). Immutable, as on
// the device.
class NSDate : public runtime::NSObject {
  RUNTIME_CLASS_WITH_CONSTRUCTORS(NSDate)
  explicit NSDate(double secondsSinceReferenceDate) : seconds_(secondsSinceReferenceDate) {}

 public:
  // Now, on the device's wall clock: the device's start date plus the main run loop's clock, so
  // that the time of day moves with virtual time.
  static std::shared_ptr<NSDate> date();
  static std::shared_ptr<NSDate> dateWithTimeIntervalSinceReferenceDate(double seconds);

  // The device's wall clock: it read the start date when the main run loop's clock read
  // `runLoopTime`; date() counts from there. The reference date at run-loop time 0 until the
  // device sets it.
  static void setDeviceStartDate(double secondsSinceReferenceDate, double runLoopTime);

  double timeIntervalSinceReferenceDate() const { return seconds_; }

 private:
  double seconds_;
};

}  // namespace platform::foundation
