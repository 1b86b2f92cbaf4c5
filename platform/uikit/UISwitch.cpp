#include "platform/uikit/UISwitch.h"

#include "platform/runtime/Runtime.h"

namespace platform::uikit {

runtime::Class* UISwitch::runtimeClass() {
  return runtime::objc_registerClass("UISwitch", &UIControl::runtimeClass);
}

std::shared_ptr<UISwitch> UISwitch::create(CGRect frame) {
  auto control = UISwitch::alloc();
  control->initWithFrame(frame);
  return control;
}

void UISwitch::setOn(bool on, bool /*animated*/) {
  on_ = on;
}

}  // namespace platform::uikit
