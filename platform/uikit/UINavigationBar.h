#pragma once

#include <memory>

#include "platform/uikit/UIView.h"

namespace platform::uikit {

class UIImage;

// The bar at the top of a navigation controller. Its tint colour (the view's) colours its
// buttons; the bar tint colours its background; the shadow image is the hairline below it (the
// system's own while none is set).
class UINavigationBar : public UIView {
  RUNTIME_CLASS(UINavigationBar)

 public:
  static std::shared_ptr<UINavigationBar> create(CGRect frame = CGRectZero);

  const std::shared_ptr<UIColor>& barTintColor() const { return barTintColor_; }
  void setBarTintColor(std::shared_ptr<UIColor> color) { barTintColor_ = std::move(color); }
  const std::shared_ptr<UIImage>& shadowImage() const { return shadowImage_; }
  void setShadowImage(std::shared_ptr<UIImage> image) { shadowImage_ = std::move(image); }
  bool prefersLargeTitles() const { return prefersLargeTitles_; }
  void setPrefersLargeTitles(bool prefers) { prefersLargeTitles_ = prefers; }
  // The colour of the title text (the foreground colour of titleTextAttributes).
  const std::shared_ptr<UIColor>& titleTextColor() const { return titleTextColor_; }
  void setTitleTextColor(std::shared_ptr<UIColor> color) { titleTextColor_ = std::move(color); }

 private:
  std::shared_ptr<UIColor> barTintColor_;
  std::shared_ptr<UIImage> shadowImage_;
  bool prefersLargeTitles_ = false;
  std::shared_ptr<UIColor> titleTextColor_;
};

}  // namespace platform::uikit
