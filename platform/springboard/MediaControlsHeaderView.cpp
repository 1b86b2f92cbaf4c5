#include "platform/springboard/MediaControlsHeaderView.h"

#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIControl.h"

namespace platform::springboard {
namespace {

constexpr runtime::Selector<void()> routeButtonTappedSelector{"_routeButtonTapped"};
constexpr uikit::CGRect kRouteButtonFrame{{270, 10}, {40, 40}};

}  // namespace

runtime::Class* MediaControlsHeaderView::runtimeClass() {
  return runtime::objc_registerClass(
      "MediaControlsHeaderView", &UIView::runtimeClass, [](runtime::Class* cls) {
        runtime::class_addMethod(cls, routeButtonTappedSelector, [](runtime::id self) {
          runtime::downcast<MediaControlsHeaderView>(self)->routeButtonTapped();
        });
      });
}

std::shared_ptr<MediaControlsHeaderView> MediaControlsHeaderView::create(uikit::CGRect frame) {
  auto view = MediaControlsHeaderView::alloc();
  view->initWithFrame(frame);
  return view;
}

void MediaControlsHeaderView::initWithFrame(uikit::CGRect frame) {
  UIView::initWithFrame(frame);
  routeButton_ = MPButton::create(kRouteButtonFrame);
  routeButton_->addTarget(this, routeButtonTappedSelector, uikit::UIControlEventTouchUpInside);
  addSubview(routeButton_);
}

void MediaControlsHeaderView::routeButtonTapped() {
  if (auto view = routingView_.lock()) view->setHidden(!view->isHidden());
}

}  // namespace platform::springboard
