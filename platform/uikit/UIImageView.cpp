#include "platform/uikit/UIImageView.h"

#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIImage.h"

namespace platform::uikit {

runtime::Class* UIImageView::runtimeClass() {
  return runtime::objc_registerClass("UIImageView", &UIView::runtimeClass);
}

std::shared_ptr<UIImageView> UIImageView::create(CGRect frame) {
  auto imageView = UIImageView::alloc();
  imageView->initWithFrame(frame);
  return imageView;
}

std::shared_ptr<UIImageView> UIImageView::create(std::shared_ptr<UIImage> image) {
  CGSize size = image != nullptr ? image->size() : CGSizeZero;
  auto imageView = create(CGRectMake(0, 0, size.width, size.height));
  imageView->setImage(std::move(image));
  return imageView;
}

UIImageView::UIImageView() {
  setUserInteractionEnabled(false);
}

CGSize UIImageView::intrinsicContentSize() const {
  if (image_ == nullptr) return {UIViewNoIntrinsicMetric, UIViewNoIntrinsicMetric};
  return image_->size();
}

}  // namespace platform::uikit
