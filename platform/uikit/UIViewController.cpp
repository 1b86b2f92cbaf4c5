#include "platform/uikit/UIViewController.h"

#include "platform/foundation/Dispatch.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/foundation/SystemLog.h"
#include "platform/runtime/Class.h"
#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIView.h"
#include "platform/uikit/UIWindow.h"

namespace platform::uikit {

using runtime::id;

runtime::Class* UIViewController::runtimeClass() {
  return runtime::objc_registerClass("UIViewController", &UIResponder::runtimeClass, [](runtime::Class* cls) {
    runtime::class_addMethod(cls, selectors::loadView, [](id self) {
      runtime::downcast<UIViewController>(self)->setView(UIView::create(UIScreen::mainScreen().bounds()));
    });
    runtime::class_addMethod(cls, selectors::viewDidLoad, [](id) {});
    runtime::class_addMethod(cls, selectors::viewWillLayoutSubviews, [](id) {});
    runtime::class_addMethod(cls, selectors::viewDidLayoutSubviews, [](id) {});
    runtime::class_addMethod(cls, selectors::viewWillAppear, [](id, bool) {});
    runtime::class_addMethod(cls, selectors::viewDidAppear, [](id, bool) {});
    runtime::class_addMethod(cls, selectors::viewWillDisappear, [](id, bool) {});
    runtime::class_addMethod(cls, selectors::viewDidDisappear, [](id, bool) {});
  });
}

std::shared_ptr<UIViewController> UIViewController::create() {
  return UIViewController::alloc();
}

std::shared_ptr<UIView> UIViewController::view() {
  if (view_ == nullptr) {
    loadView();
    viewDidLoad();
  }
  return view_;
}

void UIViewController::setView(std::shared_ptr<UIView> view) {
  if (view_ != nullptr) view_->viewController_.reset();
  view_ = std::move(view);
  if (view_ != nullptr) view_->viewController_ = retained<UIViewController>();
}

void UIViewController::loadView() {
  runtime::send(this, selectors::loadView);
}

void UIViewController::viewDidLoad() {
  runtime::send(this, selectors::viewDidLoad);
}

void UIViewController::viewWillLayoutSubviews() {
  runtime::send(this, selectors::viewWillLayoutSubviews);
}

void UIViewController::viewDidLayoutSubviews() {
  runtime::send(this, selectors::viewDidLayoutSubviews);
}

void UIViewController::viewWillAppear(bool animated) {
  runtime::send(this, selectors::viewWillAppear, animated);
}

void UIViewController::viewDidAppear(bool animated) {
  runtime::send(this, selectors::viewDidAppear, animated);
}

void UIViewController::viewWillDisappear(bool animated) {
  runtime::send(this, selectors::viewWillDisappear, animated);
}

void UIViewController::viewDidDisappear(bool animated) {
  runtime::send(this, selectors::viewDidDisappear, animated);
}

void UIViewController::finishTransition(bool animated, std::function<void()> work) {
  if (!animated) {
    foundation::dispatch_async_main(std::move(work));
    return;
  }
  auto& loop = foundation::NSRunLoop::mainRunLoop();
  loop.schedule(loop.currentTime() + kTransitionDuration, std::move(work), foundation::NSRunLoopMode::Common);
}

void UIViewController::presentViewController(std::shared_ptr<UIViewController> controller, bool animated,
                                             std::function<void()> completion) {
  if (controller == nullptr) return;
  UIWindow* window = view()->window();
  if (window == nullptr || presented_ != nullptr) {
    foundation::NSLog("Warning: Attempt to present " + controller->isa()->name() + " on " + isa()->name() +
                      (window == nullptr ? " whose view is not in the window hierarchy!"
                                         : " which is already presenting " + presented_->isa()->name()));
    return;
  }
  presented_ = controller;
  controller->presenting_ = retained<UIViewController>();
  auto presentedView = controller->view();
  presentedView->setFrame(window->bounds());
  presentedView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  controller->viewWillAppear(animated);
  window->addSubview(presentedView);
  finishTransition(animated,
                   [controller = std::move(controller), animated, completion = std::move(completion)] {
                     controller->viewDidAppear(animated);
                     if (completion) completion();
                   });
}

void UIViewController::dismissViewControllerAnimated(bool animated, std::function<void()> completion) {
  if (presented_ == nullptr) {
    if (auto presenting = presentingViewController()) {
      presenting->dismissViewControllerAnimated(animated, std::move(completion));
    }
    return;
  }
  // Everything presented above leaves, the top-most first.
  std::vector<std::shared_ptr<UIViewController>> leaving;
  for (auto controller = presented_; controller != nullptr; controller = controller->presented_) {
    leaving.insert(leaving.begin(), controller);
  }
  for (const auto& controller : leaving) {
    controller->viewWillDisappear(animated);
    if (controller->view_ != nullptr) controller->view_->removeFromSuperview();
    controller->presented_.reset();
    controller->presenting_.reset();
  }
  presented_.reset();
  finishTransition(animated, [leaving = std::move(leaving), animated, completion = std::move(completion)] {
    for (const auto& controller : leaving) controller->viewDidDisappear(animated);
    if (completion) completion();
  });
}

UIResponder* UIViewController::nextResponder() const {
  return view_ != nullptr ? view_->superview().get() : nullptr;
}

std::shared_ptr<UINavigationItem> UIViewController::navigationItem() {
  if (navigationItem_ == nullptr) navigationItem_ = UINavigationItem::alloc();
  return navigationItem_;
}

std::shared_ptr<UINavigationController> UIViewController::navigationController() const {
  for (auto parent = parentViewController(); parent != nullptr; parent = parent->parentViewController()) {
    if (auto navigation = std::dynamic_pointer_cast<UINavigationController>(parent)) return navigation;
  }
  return nullptr;
}

}  // namespace platform::uikit
