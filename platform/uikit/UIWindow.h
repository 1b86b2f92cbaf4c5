#pragma once

#include <memory>

#include "platform/uikit/UIView.h"

namespace platform::uikit {

class UIViewController;

using UIWindowLevel = CGFloat;
inline constexpr UIWindowLevel UIWindowLevelNormal = 0;
inline constexpr UIWindowLevel UIWindowLevelStatusBar = 1000;
inline constexpr UIWindowLevel UIWindowLevelAlert = 2000;

// The root of a view tree on screen. A window starts hidden; while visible the application keeps
// it (so a window made visible lives on with no other owner), and windows of higher levels lie
// above those of lower ones.
class UIWindow : public UIView {
  RUNTIME_CLASS_WITH_CONSTRUCTORS(UIWindow)
  UIWindow();

 public:
  static std::shared_ptr<UIWindow> create(CGRect frame = CGRectZero);

  UIWindowLevel windowLevel() const { return windowLevel_; }
  void setWindowLevel(UIWindowLevel level) { windowLevel_ = level; }

  // Its view fills the window and follows its size.
  std::shared_ptr<UIViewController> rootViewController() const { return rootViewController_; }
  void setRootViewController(std::shared_ptr<UIViewController> controller);

  void setHidden(bool hidden) override;
  void makeKeyWindow();
  void makeKeyAndVisible();
  bool isKeyWindow() const;

 private:
  UIWindowLevel windowLevel_ = UIWindowLevelNormal;
  std::shared_ptr<UIViewController> rootViewController_;
};

}  // namespace platform::uikit
