#include "platform/springboard/MediaControlsTransportStackView.h"

#include "platform/runtime/Runtime.h"
#include "platform/springboard/MediaControlsTransportButton.h"
#include "platform/springboard/SpringBoardSelectors.h"

namespace platform::springboard {

runtime::Class* MediaControlsTransportStackView::runtimeClass() {
  return runtime::objc_registerClass(
      "MediaControlsTransportStackView", &UIView::runtimeClass, [](runtime::Class* cls) {
        runtime::class_addMethod(cls, uikit::selectors::layoutSubviews, [](runtime::id self) {
          auto* view = runtime::downcast<MediaControlsTransportStackView>(self);
          view->placeButtons();
          view->colorizeButtons();
        });
      });
}

std::shared_ptr<MediaControlsTransportStackView> MediaControlsTransportStackView::create(uikit::CGRect frame,
                                                                                         int64_t style) {
  auto view = MediaControlsTransportStackView::alloc();
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

void MediaControlsTransportStackView::placeButtons() {
  const uikit::CGSize size = frame().size;
  const uikit::CGFloat spacing = size.width * 5 / 16;
  const uikit::CGFloat y = (size.height - kButtonSize) / 2;
  const uikit::CGFloat middleX = (size.width - kButtonSize) / 2;
  leftButton_->setFrame(uikit::CGRectMake(middleX - spacing, y, kButtonSize, kButtonSize));
  middleButton_->setFrame(uikit::CGRectMake(middleX, y, kButtonSize, kButtonSize));
  rightButton_->setFrame(uikit::CGRectMake(middleX + spacing, y, kButtonSize, kButtonSize));
}

void MediaControlsTransportStackView::colorizeButtons() {
  if (!respondsToSelector(selectors::cfw_colorInfo)) return;
  runtime::id colorInfo = runtime::send(this, selectors::cfw_colorInfo);
  for (const auto& button : {leftButton_, middleButton_, rightButton_}) {
    if (button->respondsToSelector(selectors::cfw_colorize))
      runtime::send(button.get(), selectors::cfw_colorize, colorInfo);
  }
}

}  // namespace platform::springboard
