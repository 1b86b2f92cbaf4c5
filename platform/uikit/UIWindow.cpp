#include "platform/uikit/UIWindow.h"

#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIViewController.h"

namespace platform::uikit {

runtime::Class* UIWindow::runtimeClass() {
  return runtime::objc_registerClass("UIWindow", &UIView::runtimeClass);
}

std::shared_ptr<UIWindow> UIWindow::create(CGRect frame) {
  auto window = UIWindow::alloc();
  window->initWithFrame(frame);
  return window;
}

UIWindow::UIWindow() {
  UIView::setHidden(true);
}

void UIWindow::setRootViewController(std::shared_ptr<UIViewController> controller) {
  if (controller == rootViewController_) return;
  const bool visible = !isHidden();
  if (auto previous = std::move(rootViewController_)) {
    if (visible) previous->viewWillDisappear(false);
    if (previous->isViewLoaded()) previous->view()->removeFromSuperview();
    if (visible) previous->viewDidDisappear(false);
  }
  rootViewController_ = std::move(controller);
  if (rootViewController_ == nullptr) return;
  auto view = rootViewController_->view();
  view->setFrame(bounds());
  view->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  if (visible) rootViewController_->viewWillAppear(false);
  addSubview(view);
  if (visible) rootViewController_->viewDidAppear(false);
}

void UIWindow::setHidden(bool hidden) {
  if (hidden == isHidden()) return;
  auto& application = UIApplication::sharedApplication();
  if (hidden) {
    if (rootViewController_ != nullptr) rootViewController_->viewWillDisappear(false);
    UIView::setHidden(true);
    if (rootViewController_ != nullptr) rootViewController_->viewDidDisappear(false);
    // Last: the application may hold the last reference.
    application.windowDidHide(this);
  } else {
    if (rootViewController_ != nullptr) rootViewController_->viewWillAppear(false);
    UIView::setHidden(false);
    application.windowDidBecomeVisible(retained<UIWindow>());
    if (rootViewController_ != nullptr) rootViewController_->viewDidAppear(false);
  }
}

void UIWindow::makeKeyWindow() {
  UIApplication::sharedApplication().setKeyWindow(retained<UIWindow>());
}

void UIWindow::makeKeyAndVisible() {
  setHidden(false);
  makeKeyWindow();
}

bool UIWindow::isKeyWindow() const {
  return UIApplication::sharedApplication().keyWindow().get() == this;
}

}  // namespace platform::uikit
