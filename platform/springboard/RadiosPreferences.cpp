#include "platform/springboard/RadiosPreferences.h"

#include "platform/runtime/Runtime.h"
#include "platform/springboard/simulation/Phone.h"
#include "platform/springboard/simulation/SpringBoard.h"

namespace platform::springboard {

runtime::Class* RadiosPreferences::runtimeClass() {
  return runtime::objc_registerClass("RadiosPreferences", &NSObject::runtimeClass);
}

std::shared_ptr<RadiosPreferences> RadiosPreferences::create() {
  Phone* phone = SpringBoard::runningPhoneWithClass("RadiosPreferences");
  return phone ? RadiosPreferences::alloc(*phone) : nullptr;
}

bool RadiosPreferences::airplaneMode() const {
  return phone_.isAirplaneModeOn();
}

void RadiosPreferences::setAirplaneMode(bool on) {
  phone_.setAirplaneMode(on);
}

}  // namespace platform::springboard
