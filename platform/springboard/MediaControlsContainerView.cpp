#include "platform/springboard/MediaControlsContainerView.h"

#include "platform/runtime/Runtime.h"

namespace platform::springboard {

runtime::Class* MediaControlsContainerView::runtimeClass() {
  return runtime::objc_registerClass("MediaControlsContainerView", UIView::runtimeClass());
}

std::shared_ptr<MediaControlsContainerView> MediaControlsContainerView::create(uikit::CGRect frame) {
  auto view = std::make_shared<MediaControlsContainerView>();
  view->initWithFrame(frame);
  return view;
}

}  // namespace platform::springboard
