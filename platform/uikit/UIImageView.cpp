#include "platform/uikit/UIImageView.h"

#include "platform/runtime/Runtime.h"

namespace platform::uikit {

runtime::Class* UIImageView::runtimeClass() {
  return runtime::objc_registerClass("UIImageView", UIView::runtimeClass());
}

std::shared_ptr<UIImageView> UIImageView::create(CGRect frame) {
  auto imageView = std::make_shared<UIImageView>();
  imageView->initWithFrame(frame);
  return imageView;
}

UIImageView::UIImageView() {
  setUserInteractionEnabled(false);
}

}  // namespace platform::uikit
