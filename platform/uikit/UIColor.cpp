#include "platform/uikit/UIColor.h"

#include "platform/runtime/Runtime.h"

namespace platform::uikit {

runtime::Class* UIColor::runtimeClass() {
  return runtime::objc_registerClass("UIColor", &runtime::NSObject::runtimeClass);
}

UIColor::UIColor(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha)
    : red_(red), green_(green), blue_(blue), alpha_(alpha) {}

std::shared_ptr<UIColor> UIColor::colorWithRed(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha) {
  return UIColor::alloc(red, green, blue, alpha);
}

std::shared_ptr<UIColor> UIColor::colorWithWhite(CGFloat white, CGFloat alpha) {
  return colorWithRed(white, white, white, alpha);
}

std::shared_ptr<UIColor> UIColor::whiteColor() {
  return colorWithWhite(1, 1);
}

std::shared_ptr<UIColor> UIColor::blackColor() {
  return colorWithWhite(0, 1);
}

std::shared_ptr<UIColor> UIColor::clearColor() {
  return colorWithWhite(0, 0);
}

std::shared_ptr<UIColor> UIColor::redColor() {
  return colorWithRed(1, 0, 0, 1);
}

std::shared_ptr<UIColor> UIColor::systemBlueColor() {
  return colorWithRed(0, 122.0 / 255, 1, 1);
}

std::shared_ptr<UIColor> UIColor::colorWithAlphaComponent(CGFloat alpha) const {
  return colorWithRed(red_, green_, blue_, alpha);
}

bool UIColor::isEqual(const UIColor& other) const {
  return red_ == other.red_ && green_ == other.green_ && blue_ == other.blue_ && alpha_ == other.alpha_;
}

}  // namespace platform::uikit
