#include "platform/springboard/CSMediaControlsViewController.h"

#include "platform/runtime/Runtime.h"

namespace platform::springboard {

runtime::Class* CSMediaControlsViewController::runtimeClass() {
  return runtime::objc_registerClass("CSMediaControlsViewController", &UIViewController::runtimeClass);
}

std::shared_ptr<CSMediaControlsViewController> CSMediaControlsViewController::create() {
  return CSMediaControlsViewController::alloc();
}

}  // namespace platform::springboard
