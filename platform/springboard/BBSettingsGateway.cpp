#include "platform/springboard/BBSettingsGateway.h"

#include "platform/runtime/Runtime.h"
#include "platform/springboard/simulation/Phone.h"
#include "platform/springboard/simulation/SpringBoard.h"

namespace platform::springboard {

runtime::Class* BBSettingsGateway::runtimeClass() {
  return runtime::objc_registerClass("BBSettingsGateway", &NSObject::runtimeClass);
}

std::shared_ptr<BBSettingsGateway> BBSettingsGateway::create() {
  Phone* phone = SpringBoard::runningPhoneWithClass("BBSettingsGateway");
  return phone ? BBSettingsGateway::alloc(*phone) : nullptr;
}

void BBSettingsGateway::setBehaviorOverrideStatus(int64_t status) {
  phone_.setBehaviorOverrideStatus(status);
}

}  // namespace platform::springboard
