#pragma once

#include <memory>

#include "platform/runtime/NSObject.h"
#include "platform/uikit/CGGeometry.h"

namespace platform::uikit {

class UIView;

enum NSLayoutAttribute : int64_t {
  NSLayoutAttributeNotAnAttribute = 0,
  NSLayoutAttributeLeft = 1,
  NSLayoutAttributeRight = 2,
  NSLayoutAttributeTop = 3,
  NSLayoutAttributeBottom = 4,
  NSLayoutAttributeLeading = 5,
  NSLayoutAttributeTrailing = 6,
  NSLayoutAttributeWidth = 7,
  NSLayoutAttributeHeight = 8,
  NSLayoutAttributeCenterX = 9,
  NSLayoutAttributeCenterY = 10,
};

enum NSLayoutRelation : int64_t {
  NSLayoutRelationLessThanOrEqual = -1,
  NSLayoutRelationEqual = 0,
  NSLayoutRelationGreaterThanOrEqual = 1,
};

using UILayoutPriority = float;
inline constexpr UILayoutPriority UILayoutPriorityRequired = 1000;
inline constexpr UILayoutPriority UILayoutPriorityDefaultHigh = 750;
inline constexpr UILayoutPriority UILayoutPriorityDefaultLow = 250;

// firstItem.firstAttribute = multiplier * secondItem.secondAttribute + constant, at a priority.
// There is no solver: a constraint records the relation, and code reads and changes its
// constant, priority and activity. The view it is declared on owns it; its items are weak.
class NSLayoutConstraint : public runtime::NSObject {
  RUNTIME_CLASS(NSLayoutConstraint)

 public:
  // constraintWithItem:attribute:relatedBy:toItem:attribute:multiplier:constant:. Active.
  static std::shared_ptr<NSLayoutConstraint> constraintWithItem(UIView* firstItem,
                                                                NSLayoutAttribute firstAttribute,
                                                                NSLayoutRelation relation, UIView* secondItem,
                                                                NSLayoutAttribute secondAttribute,
                                                                CGFloat multiplier, CGFloat constant);

  std::shared_ptr<UIView> firstItem() const { return firstItem_.lock(); }
  NSLayoutAttribute firstAttribute() const { return firstAttribute_; }
  NSLayoutRelation relation() const { return relation_; }
  std::shared_ptr<UIView> secondItem() const { return secondItem_.lock(); }
  NSLayoutAttribute secondAttribute() const { return secondAttribute_; }
  CGFloat multiplier() const { return multiplier_; }

  CGFloat constant() const { return constant_; }
  void setConstant(CGFloat constant) { constant_ = constant; }
  UILayoutPriority priority() const { return priority_; }
  void setPriority(UILayoutPriority priority) { priority_ = priority; }
  bool isActive() const { return active_; }
  void setActive(bool active) { active_ = active; }

 private:
  std::weak_ptr<UIView> firstItem_;
  NSLayoutAttribute firstAttribute_ = NSLayoutAttributeNotAnAttribute;
  NSLayoutRelation relation_ = NSLayoutRelationEqual;
  std::weak_ptr<UIView> secondItem_;
  NSLayoutAttribute secondAttribute_ = NSLayoutAttributeNotAnAttribute;
  CGFloat multiplier_ = 1;
  CGFloat constant_ = 0;
  UILayoutPriority priority_ = UILayoutPriorityRequired;
  bool active_ = true;
};

}  // namespace platform::uikit
