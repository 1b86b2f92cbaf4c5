#include "platform/springboard/BBSettingsGateway.h"

#include "platform/runtime/Runtime.h"
#include "platform/springboard/Device.h"
#include "platform/springboard/SpringBoard.h"

namespace platform::springboard {

runtime::Class* BBSettingsGateway::runtimeClass() {
  return runtime::objc_registerClass("BBSettingsGateway", &NSObject::runtimeClass);
}

std::shared_ptr<BBSettingsGateway> BBSettingsGateway::create() {
  Device* device = SpringBoard::runningDeviceWithClass("BBSettingsGateway");
  return device ? std::make_shared<BBSettingsGateway>(*device) : nullptr;
}

void BBSettingsGateway::setBehaviorOverrideStatus(int64_t status) {
  device_.setBehaviorOverrideStatus(status);
}

}  // namespace platform::springboard
