#include "platform/uikit/UILabel.h"

#include <cmath>

#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UINibDecoder.h"

namespace platform::uikit {

runtime::Class* UILabel::runtimeClass() {
  return runtime::objc_registerClass("UILabel", &UIView::runtimeClass);
}

std::shared_ptr<UILabel> UILabel::create(CGRect frame) {
  auto label = UILabel::alloc();
  label->initWithFrame(frame);
  return label;
}

UILabel::UILabel() : font_(UIFont::systemFontOfSize(17)), textColor_(UIColor::blackColor()) {
  setUserInteractionEnabled(false);
}

void UILabel::initWithCoder(UINibDecoder& coder) {
  UIView::initWithCoder(coder);
  text_ = coder.decodeStringForKey("text", text_);
  if (auto font = coder.decodeFontForKey("font")) font_ = font;
  if (auto color = coder.decodeColorForKey("textColor")) textColor_ = color;
  textAlignment_ = NSTextAlignment(coder.decodeIntegerForKey("textAlignment", textAlignment_));
  numberOfLines_ = coder.decodeIntegerForKey("numberOfLines", numberOfLines_);
}

void UILabel::setFont(std::shared_ptr<UIFont> font) {
  // A nil font puts the default back, as on the device.
  font_ = font != nullptr ? std::move(font) : UIFont::systemFontOfSize(17);
}

void UILabel::setTextColor(std::shared_ptr<UIColor> color) {
  textColor_ = color != nullptr ? std::move(color) : UIColor::blackColor();
}

CGSize UILabel::intrinsicContentSize() const {
  if (text_.empty()) return CGSizeZero;
  // Characters, not bytes: UTF-8 continuation bytes do not start one.
  size_t characters = 0;
  for (unsigned char byte : text_) {
    if ((byte & 0xC0) != 0x80) ++characters;
  }
  return {std::ceil(static_cast<CGFloat>(characters) * font_->averageAdvance()),
          std::ceil(font_->lineHeight())};
}

}  // namespace platform::uikit
