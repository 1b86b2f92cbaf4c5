#include "platform/springboard/MediaControlsContainerView.h"

#include "platform/runtime/Runtime.h"
#include "platform/springboard/SpringBoardSelectors.h"

namespace platform::springboard {

runtime::Class* MediaControlsContainerView::runtimeClass() {
  return runtime::objc_registerClass(
      "MediaControlsContainerView", &UIView::runtimeClass, [](runtime::Class* cls) {
        runtime::class_addMethod(cls, selectors::shouldShowNextUp, [](runtime::id self) {
          return runtime::downcast<MediaControlsContainerView>(self)->showsNextUp_;
        });
      });
}

std::shared_ptr<MediaControlsContainerView> MediaControlsContainerView::create(uikit::CGRect frame) {
  auto view = MediaControlsContainerView::alloc();
  view->initWithFrame(frame);
  return view;
}

bool MediaControlsContainerView::shouldShowNextUp() {
  return runtime::send(this, selectors::shouldShowNextUp);
}

}  // namespace platform::springboard
