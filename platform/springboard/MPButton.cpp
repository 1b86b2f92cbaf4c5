#include "platform/springboard/MPButton.h"

#include "platform/runtime/Runtime.h"
#include "platform/springboard/SpringBoardSelectors.h"

namespace platform::springboard {

runtime::Class* MPButton::runtimeClass() {
  return runtime::objc_registerClass("MPButton", &UIButton::runtimeClass, [](runtime::Class* cls) {
    runtime::class_addMethod(cls, selectors::_handleTouchUp, [](runtime::id) {});
  });
}

std::shared_ptr<MPButton> MPButton::create(uikit::CGRect frame) {
  auto button = MPButton::alloc();
  button->initWithFrame(frame);
  return button;
}

void MPButton::initWithFrame(uikit::CGRect frame) {
  UIButton::initWithFrame(frame);
  // Its own target first, so the touch-up is handled before the actions added later.
  addTarget(this, selectors::_handleTouchUp, uikit::UIControlEventTouchUpInside);
}

void MPButton::_handleTouchUp() {
  runtime::send(this, selectors::_handleTouchUp);
}

}  // namespace platform::springboard
