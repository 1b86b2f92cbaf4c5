#pragma once

#include <memory>

#include "platform/uikit/UIView.h"

namespace platform::uikit {

class UIImage;

// Shows an image; a template image is drawn in the view's tint colour. Image views take no
// touches unless told to.
class UIImageView : public UIView {
  RUNTIME_CLASS_WITH_CONSTRUCTORS(UIImageView)
  UIImageView();

 public:
  static std::shared_ptr<UIImageView> create(CGRect frame = CGRectZero);
  // initWithImage:, sized to the image.
  static std::shared_ptr<UIImageView> create(std::shared_ptr<UIImage> image);

  const std::shared_ptr<UIImage>& image() const { return image_; }
  void setImage(std::shared_ptr<UIImage> image) { image_ = std::move(image); }

  // The image's size; none without an image.
  CGSize intrinsicContentSize() const override;

 private:
  std::shared_ptr<UIImage> image_;
};

}  // namespace platform::uikit
