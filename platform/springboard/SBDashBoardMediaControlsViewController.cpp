#include "platform/springboard/SBDashBoardMediaControlsViewController.h"

#include "platform/runtime/Runtime.h"

namespace platform::springboard {

runtime::Class* SBDashBoardMediaControlsViewController::runtimeClass() {
  return runtime::objc_registerClass("SBDashBoardMediaControlsViewController",
                                     &UIViewController::runtimeClass);
}

std::shared_ptr<SBDashBoardMediaControlsViewController> SBDashBoardMediaControlsViewController::create() {
  return SBDashBoardMediaControlsViewController::alloc();
}

}  // namespace platform::springboard
