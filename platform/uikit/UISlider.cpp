#include "platform/uikit/UISlider.h"

#include <algorithm>

#include "platform/runtime/Runtime.h"

namespace platform::uikit {

runtime::Class* UISlider::runtimeClass() {
  return runtime::objc_registerClass("UISlider", &UIControl::runtimeClass);
}

std::shared_ptr<UISlider> UISlider::create(CGRect frame) {
  auto control = UISlider::alloc();
  control->initWithFrame(frame);
  return control;
}

void UISlider::setValue(float value, bool /*animated*/) {
  value_ = std::clamp(value, minimumValue_, std::max(minimumValue_, maximumValue_));
}

void UISlider::setMinimumValue(float value) {
  minimumValue_ = value;
  setValue(value_);
}

void UISlider::setMaximumValue(float value) {
  maximumValue_ = value;
  setValue(value_);
}

}  // namespace platform::uikit
