#include "platform/springboard/NextUpViewController.h"

#include "platform/runtime/Runtime.h"

namespace platform::springboard {

runtime::Class* NextUpViewController::runtimeClass() {
  return runtime::objc_registerClass("NextUpViewController", &UIViewController::runtimeClass);
}

std::shared_ptr<NextUpViewController> NextUpViewController::create(bool controlCenter) {
  auto controller = std::make_shared<NextUpViewController>();
  controller->controlCenter_ = controlCenter;
  return controller;
}

}  // namespace platform::springboard
