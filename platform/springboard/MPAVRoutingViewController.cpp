#include "platform/springboard/MPAVRoutingViewController.h"

#include "platform/runtime/Runtime.h"

namespace platform::springboard {

runtime::Class* MPAVRoutingViewController::runtimeClass() {
  return runtime::objc_registerClass("MPAVRoutingViewController", &UIViewController::runtimeClass);
}

std::shared_ptr<MPAVRoutingViewController> MPAVRoutingViewController::create() {
  return MPAVRoutingViewController::alloc();
}

}  // namespace platform::springboard
