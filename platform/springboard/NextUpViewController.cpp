#include "platform/springboard/NextUpViewController.h"

#include "platform/runtime/Runtime.h"

namespace platform::springboard {

runtime::Class* NextUpViewController::runtimeClass() {
  return runtime::objc_registerClass("NextUpViewController", &UIViewController::runtimeClass);
}

std::shared_ptr<NextUpViewController> NextUpViewController::create(bool controlCenter) {
  auto controller = NextUpViewController::alloc();
  controller->controlCenter_ = controlCenter;
  return controller;
}

}  // namespace platform::springboard
