#include "platform/uikit/UIFont.h"

#include "platform/runtime/Runtime.h"

namespace platform::uikit {

runtime::Class* UIFont::runtimeClass() {
  return runtime::objc_registerClass("UIFont", &runtime::NSObject::runtimeClass);
}

UIFont::UIFont(CGFloat pointSize, UIFontWeight weight) : pointSize_(pointSize), weight_(weight) {}

std::shared_ptr<UIFont> UIFont::systemFontOfSize(CGFloat pointSize) {
  return systemFontOfSize(pointSize, UIFontWeightRegular);
}

std::shared_ptr<UIFont> UIFont::systemFontOfSize(CGFloat pointSize, UIFontWeight weight) {
  return UIFont::alloc(pointSize, weight);
}

std::shared_ptr<UIFont> UIFont::boldSystemFontOfSize(CGFloat pointSize) {
  return systemFontOfSize(pointSize, UIFontWeightBold);
}

CGFloat UIFont::lineHeight() const {
  return pointSize_ * 1.2;
}

CGFloat UIFont::averageAdvance() const {
  return pointSize_ * 0.5;
}

bool UIFont::isEqual(const UIFont& other) const {
  return pointSize_ == other.pointSize_ && weight_ == other.weight_;
}

}  // namespace platform::uikit
