#pragma once

#include <memory>

#include "platform/runtime/NSObject.h"

namespace platform::uikit {
class UIColor;
}

namespace platform::preferences {

// The colours a list controller's page takes (hb_setAppearanceSettings:). Unset colours leave the
// system's.
class HBAppearanceSettings : public runtime::NSObject {
  RUNTIME_CLASS(HBAppearanceSettings)

 public:
  using Color = std::shared_ptr<uikit::UIColor>;

  // The tint of the page's controls.
  const Color& tintColor() const { return tintColor_; }
  void setTintColor(Color color) { tintColor_ = std::move(color); }
  const Color& statusBarTintColor() const { return statusBarTintColor_; }
  void setStatusBarTintColor(Color color) { statusBarTintColor_ = std::move(color); }
  // The navigation bar's buttons, its title and its background.
  const Color& navigationBarTintColor() const { return navigationBarTintColor_; }
  void setNavigationBarTintColor(Color color) { navigationBarTintColor_ = std::move(color); }
  const Color& navigationBarTitleColor() const { return navigationBarTitleColor_; }
  void setNavigationBarTitleColor(Color color) { navigationBarTitleColor_ = std::move(color); }
  const Color& navigationBarBackgroundColor() const { return navigationBarBackgroundColor_; }
  void setNavigationBarBackgroundColor(Color color) { navigationBarBackgroundColor_ = std::move(color); }
  const Color& tableViewCellSeparatorColor() const { return tableViewCellSeparatorColor_; }
  void setTableViewCellSeparatorColor(Color color) { tableViewCellSeparatorColor_ = std::move(color); }

 private:
  Color tintColor_;
  Color statusBarTintColor_;
  Color navigationBarTintColor_;
  Color navigationBarTitleColor_;
  Color navigationBarBackgroundColor_;
  Color tableViewCellSeparatorColor_;
};

}  // namespace platform::preferences
