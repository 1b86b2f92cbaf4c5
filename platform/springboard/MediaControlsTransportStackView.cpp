#include "platform/springboard/MediaControlsTransportStackView.h"

#include "platform/runtime/Runtime.h"
#include "platform/springboard/MediaControlsTransportButton.h"

namespace platform::springboard {

runtime::Class* MediaControlsTransportStackView::runtimeClass() {
  return runtime::objc_registerClass("MediaControlsTransportStackView", UIView::runtimeClass());
}

std::shared_ptr<MediaControlsTransportStackView> MediaControlsTransportStackView::create(uikit::CGRect frame,
                                                                                         int64_t style) {
  auto view = std::make_shared<MediaControlsTransportStackView>();
  view->style_ = style;
  view->initWithFrame(frame);
  return view;
}

void MediaControlsTransportStackView::initWithFrame(uikit::CGRect frame) {
  UIView::initWithFrame(frame);
  for (auto* button : {&leftButton_, &middleButton_, &rightButton_}) {
    *button = MediaControlsTransportButton::create();
    addSubview(*button);
  }
}

}  // namespace platform::springboard
