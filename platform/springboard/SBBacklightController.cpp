#include "platform/springboard/SBBacklightController.h"

#include "platform/runtime/Runtime.h"
#include "platform/springboard/simulation/Phone.h"
#include "platform/springboard/simulation/SpringBoard.h"

namespace platform::springboard {

runtime::Class* SBBacklightController::runtimeClass() {
  return runtime::objc_registerClass("SBBacklightController", &NSObject::runtimeClass);
}

std::shared_ptr<SBBacklightController> SBBacklightController::sharedInstance() {
  SpringBoard* springBoard = SpringBoard::running();
  return springBoard ? springBoard->backlightController() : nullptr;
}

bool SBBacklightController::screenIsOn() const {
  return phone_.isScreenOn();
}

}  // namespace platform::springboard
