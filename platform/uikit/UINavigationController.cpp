#include "platform/uikit/UINavigationController.h"

#include "platform/runtime/Runtime.h"
#include "platform/uikit/UINavigationBar.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIView.h"

namespace platform::uikit {

namespace {
constexpr CGFloat kBarHeight = 44;
}  // namespace

runtime::Class* UINavigationController::runtimeClass() {
  return runtime::objc_registerClass("UINavigationController", &UIViewController::runtimeClass);
}

std::shared_ptr<UINavigationController> UINavigationController::initWithRootViewController(
    const std::shared_ptr<UIViewController>& controller) {
  auto navigation = UINavigationController::alloc();
  CGFloat width = UIScreen::mainScreen().bounds().size.width;
  navigation->navigationBar_ = UINavigationBar::create(CGRectMake(0, 0, width, kBarHeight));
  navigation->view()->addSubview(navigation->navigationBar_);
  navigation->pushViewController(controller, false);
  return navigation;
}

std::shared_ptr<UIViewController> UINavigationController::topViewController() const {
  return viewControllers_.empty() ? nullptr : viewControllers_.back();
}

void UINavigationController::pushViewController(const std::shared_ptr<UIViewController>& controller,
                                                bool animated) {
  if (controller == nullptr) return;
  if (auto previous = topViewController()) {
    previous->viewWillDisappear(animated);
    previous->view()->removeFromSuperview();
  }
  controller->parent_ = retained<UIViewController>();
  viewControllers_.push_back(controller);
  auto shown = controller->view();
  controller->viewWillAppear(animated);
  view()->insertSubview(shown, 0);
}

std::shared_ptr<UIViewController> UINavigationController::popViewControllerAnimated(bool animated) {
  if (viewControllers_.size() < 2) return nullptr;
  auto popped = viewControllers_.back();
  popped->viewWillDisappear(animated);
  popped->view()->removeFromSuperview();
  viewControllers_.pop_back();
  popped->parent_.reset();
  auto top = topViewController();
  top->viewWillAppear(animated);
  view()->insertSubview(top->view(), 0);
  return popped;
}

void UINavigationController::popToRootViewControllerAnimated(bool animated) {
  while (viewControllers_.size() > 1) popViewControllerAnimated(animated);
}

}  // namespace platform::uikit
