#pragma once

#include <memory>
#include <vector>

#include "platform/uikit/UIViewController.h"

namespace platform::uikit {

class UINavigationBar;

// A stack of controllers under a navigation bar: the top one's view is shown. A pushed controller
// comes on screen (viewWillAppear), and the one below it comes back when the top one is popped.
class UINavigationController : public UIViewController {
  RUNTIME_CLASS(UINavigationController)

 public:
  // [[UINavigationController alloc] initWithRootViewController:].
  static std::shared_ptr<UINavigationController> initWithRootViewController(
      const std::shared_ptr<UIViewController>& controller);

  const std::vector<std::shared_ptr<UIViewController>>& viewControllers() const { return viewControllers_; }
  std::shared_ptr<UIViewController> topViewController() const;
  const std::shared_ptr<UINavigationBar>& navigationBar() const { return navigationBar_; }

  void pushViewController(const std::shared_ptr<UIViewController>& controller, bool animated);
  // The popped controller, or null when only the root is left.
  std::shared_ptr<UIViewController> popViewControllerAnimated(bool animated);
  void popToRootViewControllerAnimated(bool animated);

 private:
  std::vector<std::shared_ptr<UIViewController>> viewControllers_;
  std::shared_ptr<UINavigationBar> navigationBar_;
};

}  // namespace platform::uikit
