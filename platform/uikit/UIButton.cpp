#include "platform/uikit/UIButton.h"

#include <algorithm>

#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UINibDecoder.h"

namespace platform::uikit {
namespace {

// A system button's title sits 6 points below its top edge and above its bottom edge.
constexpr CGFloat kSystemButtonVerticalInset = 6;

template <typename Value>
Value valueForState(const std::map<UIControlState, Value>& values, UIControlState state) {
  auto found = values.find(state);
  if (found == values.end()) found = values.find(UIControlStateNormal);
  return found == values.end() ? Value() : found->second;
}

}  // namespace

runtime::Class* UIButton::runtimeClass() {
  return runtime::objc_registerClass("UIButton", &UIControl::runtimeClass, [](runtime::Class* cls) {
    runtime::class_addMethod(cls, selectors::layoutSubviews, [](runtime::id self) {
      runtime::sendSuper(UIButton::runtimeClass(), self, selectors::layoutSubviews);
      runtime::downcast<UIButton>(self)->layoutContent();
    });
  });
}

std::shared_ptr<UIButton> UIButton::buttonWithType(UIButtonType type) {
  auto button = UIButton::alloc();
  button->buttonType_ = type;
  button->initWithFrame(CGRectZero);
  return button;
}

std::shared_ptr<UIButton> UIButton::create(CGRect frame) {
  auto button = UIButton::alloc();
  button->initWithFrame(frame);
  return button;
}

void UIButton::initWithFrame(CGRect frame) {
  UIControl::initWithFrame(frame);
  makeContentViews();
  updateContent();
}

void UIButton::initWithCoder(UINibDecoder& coder) {
  UIControl::initWithCoder(coder);
  buttonType_ = UIButtonType(coder.decodeIntegerForKey("buttonType", buttonType_));
  makeContentViews();
  if (coder.containsValueForKey("title")) titles_[UIControlStateNormal] = coder.decodeStringForKey("title");
  if (auto color = coder.decodeColorForKey("titleColor")) titleColors_[UIControlStateNormal] = color;
  if (auto font = coder.decodeFontForKey("font")) titleLabel_->setFont(font);
  updateContent();
}

void UIButton::makeContentViews() {
  if (titleLabel_ != nullptr) return;
  imageView_ = UIImageView::create();
  addSubview(imageView_);
  titleLabel_ = UILabel::create();
  titleLabel_->setTextAlignment(NSTextAlignmentCenter);
  addSubview(titleLabel_);
}

void UIButton::setTitle(std::optional<std::string> title, UIControlState state) {
  if (title.has_value()) {
    titles_[state] = std::move(*title);
  } else {
    titles_.erase(state);
  }
  updateContent();
}

std::optional<std::string> UIButton::titleForState(UIControlState state) const {
  auto found = titles_.find(state);
  if (found == titles_.end()) found = titles_.find(UIControlStateNormal);
  if (found == titles_.end()) return std::nullopt;
  return found->second;
}

void UIButton::setTitleColor(std::shared_ptr<UIColor> color, UIControlState state) {
  titleColors_[state] = std::move(color);
  updateContent();
}

std::shared_ptr<UIColor> UIButton::titleColorForState(UIControlState state) const {
  return valueForState(titleColors_, state);
}

void UIButton::setImage(std::shared_ptr<UIImage> image, UIControlState state) {
  images_[state] = std::move(image);
  updateContent();
}

std::shared_ptr<UIImage> UIButton::imageForState(UIControlState state) const {
  return valueForState(images_, state);
}

std::shared_ptr<UIColor> UIButton::currentTitleColor() const {
  if (auto color = titleColorForState(state())) return color;
  return buttonType_ == UIButtonTypeSystem ? tintColor() : UIColor::whiteColor();
}

CGSize UIButton::intrinsicContentSize() const {
  CGSize title = currentTitle() ? titleLabel_->intrinsicContentSize() : CGSizeZero;
  if (title.height > 0 && buttonType_ == UIButtonTypeSystem) title.height += 2 * kSystemButtonVerticalInset;
  auto image = currentImage();
  CGSize imageSize = image != nullptr ? image->size() : CGSizeZero;
  return {imageSize.width + title.width, std::max(imageSize.height, title.height)};
}

void UIButton::stateDidChange() {
  updateContent();
}

void UIButton::tintColorDidChange() {
  updateContent();
}

void UIButton::updateContent() {
  if (titleLabel_ == nullptr) return;
  auto title = currentTitle();
  titleLabel_->setText(title.value_or(""));
  titleLabel_->setHidden(!title.has_value());
  titleLabel_->setTextColor(currentTitleColor());
  auto image = currentImage();
  imageView_->setImage(image);
  imageView_->setHidden(image == nullptr);
  setNeedsLayout();
}

void UIButton::layoutContent() {
  // The image, then the title, side by side in the middle of the button.
  const CGSize size = bounds().size;
  auto image = currentImage();
  CGSize imageSize = image != nullptr ? image->size() : CGSizeZero;
  // An image larger than the button is shrunk to fit inside it, keeping its proportions.
  if (imageSize.width > 0 && imageSize.height > 0) {
    const CGFloat fit = std::max<CGFloat>(
        0, std::min({CGFloat{1}, size.width / imageSize.width, size.height / imageSize.height}));
    imageSize = CGSizeMake(imageSize.width * fit, imageSize.height * fit);
  }
  CGFloat titleWidth = currentTitle() ? titleLabel_->intrinsicContentSize().width : 0;
  titleWidth = std::clamp<CGFloat>(titleWidth, 0, std::max<CGFloat>(0, size.width - imageSize.width));
  CGFloat left = (size.width - imageSize.width - titleWidth) / 2;
  imageView_->setFrame(
      CGRectMake(left, (size.height - imageSize.height) / 2, imageSize.width, imageSize.height));
  titleLabel_->setFrame(CGRectMake(left + imageSize.width, 0, titleWidth, size.height));
}

}  // namespace platform::uikit
