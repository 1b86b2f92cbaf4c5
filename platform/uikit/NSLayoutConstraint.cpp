#include "platform/uikit/NSLayoutConstraint.h"

#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIView.h"

namespace platform::uikit {

runtime::Class* NSLayoutConstraint::runtimeClass() {
  return runtime::objc_registerClass("NSLayoutConstraint", &runtime::NSObject::runtimeClass);
}

std::shared_ptr<NSLayoutConstraint> NSLayoutConstraint::constraintWithItem(
    UIView* firstItem, NSLayoutAttribute firstAttribute, NSLayoutRelation relation, UIView* secondItem,
    NSLayoutAttribute secondAttribute, CGFloat multiplier, CGFloat constant) {
  auto constraint = NSLayoutConstraint::alloc();
  if (firstItem != nullptr) constraint->firstItem_ = firstItem->retained<UIView>();
  constraint->firstAttribute_ = firstAttribute;
  constraint->relation_ = relation;
  if (secondItem != nullptr) constraint->secondItem_ = secondItem->retained<UIView>();
  constraint->secondAttribute_ = secondAttribute;
  constraint->multiplier_ = multiplier;
  constraint->constant_ = constant;
  return constraint;
}

}  // namespace platform::uikit
