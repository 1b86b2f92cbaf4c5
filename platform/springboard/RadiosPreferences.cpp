#include "platform/springboard/RadiosPreferences.h"

#include "platform/runtime/Runtime.h"
#include "platform/springboard/Device.h"
#include "platform/springboard/SpringBoard.h"

namespace platform::springboard {

runtime::Class* RadiosPreferences::runtimeClass() {
  return runtime::objc_registerClass("RadiosPreferences", &NSObject::runtimeClass);
}

std::shared_ptr<RadiosPreferences> RadiosPreferences::create() {
  Device* device = SpringBoard::runningDeviceWithClass("RadiosPreferences");
  return device ? std::make_shared<RadiosPreferences>(*device) : nullptr;
}

bool RadiosPreferences::airplaneMode() const {
  return device_.isAirplaneModeOn();
}

void RadiosPreferences::setAirplaneMode(bool on) {
  device_.setAirplaneMode(on);
}

}  // namespace platform::springboard
