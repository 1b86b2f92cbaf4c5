#include "platform/springboard/SBBacklightController.h"

#include "platform/runtime/Runtime.h"
#include "platform/springboard/Device.h"
#include "platform/springboard/SpringBoard.h"

namespace platform::springboard {

runtime::Class* SBBacklightController::runtimeClass() {
  return runtime::objc_registerClass("SBBacklightController", &NSObject::runtimeClass);
}

std::shared_ptr<SBBacklightController> SBBacklightController::sharedInstance() {
  SpringBoard* springBoard = SpringBoard::running();
  return springBoard ? springBoard->backlightController() : nullptr;
}

bool SBBacklightController::screenIsOn() const {
  return device_.isScreenOn();
}

}  // namespace platform::springboard
