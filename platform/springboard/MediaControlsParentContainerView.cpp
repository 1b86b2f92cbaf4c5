#include "platform/springboard/MediaControlsParentContainerView.h"

#include "platform/runtime/Runtime.h"

namespace platform::springboard {

runtime::Class* MediaControlsParentContainerView::runtimeClass() {
  return runtime::objc_registerClass("MediaControlsParentContainerView", &UIView::runtimeClass);
}

std::shared_ptr<MediaControlsParentContainerView> MediaControlsParentContainerView::create(
    uikit::CGRect frame, int64_t style) {
  auto view = MediaControlsParentContainerView::alloc();
  view->style_ = style;
  view->initWithFrame(frame);
  return view;
}

}  // namespace platform::springboard
