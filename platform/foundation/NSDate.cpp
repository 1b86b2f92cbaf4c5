#include "platform/foundation/NSDate.h"

#include "platform/foundation/NSRunLoop.h"
#include "platform/runtime/Runtime.h"

namespace platform::foundation {

namespace {

double deviceStartDate = 0;
double runLoopTimeAtDeviceStart = 0;

}  // namespace

runtime::Class* NSDate::runtimeClass() {
  return runtime::objc_registerClass("NSDate", &runtime::NSObject::runtimeClass);
}

std::shared_ptr<NSDate> NSDate::date() {
  const double sinceStart = NSRunLoop::mainRunLoop().currentTime() - runLoopTimeAtDeviceStart;
  return dateWithTimeIntervalSinceReferenceDate(deviceStartDate + sinceStart);
}

std::shared_ptr<NSDate> NSDate::dateWithTimeIntervalSinceReferenceDate(double seconds) {
  return NSDate::alloc(seconds);
}

void NSDate::setDeviceStartDate(double secondsSinceReferenceDate, double runLoopTime) {
  deviceStartDate = secondsSinceReferenceDate;
  runLoopTimeAtDeviceStart = runLoopTime;
}

}  // namespace platform::foundation
