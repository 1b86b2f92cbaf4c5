#pragma once

#include <memory>

#include "platform/runtime/NSObject.h"
#include "platform/uikit/CGGeometry.h"

namespace platform::uikit {

// A colour in the sRGB space, components from 0 to 1. Immutable: every variant is a new object.
class UIColor : public runtime::NSObject {
  RUNTIME_CLASS_WITH_CONSTRUCTORS(UIColor)
  UIColor(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha);

 public:
  static std::shared_ptr<UIColor> colorWithRed(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha);
  static std::shared_ptr<UIColor> colorWithWhite(CGFloat white, CGFloat alpha);
  static std::shared_ptr<UIColor> whiteColor();
  static std::shared_ptr<UIColor> blackColor();
  static std::shared_ptr<UIColor> clearColor();
  static std::shared_ptr<UIColor> redColor();
  // The tint of views that neither have one of their own nor inherit one.
  static std::shared_ptr<UIColor> systemBlueColor();

  std::shared_ptr<UIColor> colorWithAlphaComponent(CGFloat alpha) const;

  CGFloat red() const { return red_; }
  CGFloat green() const { return green_; }
  CGFloat blue() const { return blue_; }
  CGFloat alpha() const { return alpha_; }

  bool isEqual(const UIColor& other) const;

 private:
  CGFloat red_;
  CGFloat green_;
  CGFloat blue_;
  CGFloat alpha_;
};

}  // namespace platform::uikit
