#include "platform/springboard/MediaControlsTransportButton.h"

#include "platform/runtime/Runtime.h"

namespace platform::springboard {

runtime::Class* MediaControlsTransportButton::runtimeClass() {
  return runtime::objc_registerClass("MediaControlsTransportButton", &UIButton::runtimeClass);
}

std::shared_ptr<MediaControlsTransportButton> MediaControlsTransportButton::create(uikit::CGRect frame) {
  auto view = MediaControlsTransportButton::alloc();
  view->initWithFrame(frame);
  return view;
}

}  // namespace platform::springboard
