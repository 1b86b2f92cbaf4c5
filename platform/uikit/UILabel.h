#pragma once

#include <memory>
#include <string>

#include "platform/uikit/UIView.h"

namespace platform::uikit {

class UIColor;
class UIFont;

enum NSTextAlignment : int64_t {
  NSTextAlignmentLeft = 0,
  NSTextAlignmentCenter = 1,
  NSTextAlignmentRight = 2,
  NSTextAlignmentJustified = 3,
  NSTextAlignmentNatural = 4,
};

// A line of text. Labels take no touches unless told to.
class UILabel : public UIView {
  RUNTIME_CLASS_WITH_CONSTRUCTORS(UILabel)
  UILabel();

 public:
  static std::shared_ptr<UILabel> create(CGRect frame = CGRectZero);

  void initWithCoder(UINibDecoder& coder) override;

  const std::string& text() const { return text_; }
  void setText(std::string text) { text_ = std::move(text); }
  // The system font of 17 points unless set.
  const std::shared_ptr<UIFont>& font() const { return font_; }
  void setFont(std::shared_ptr<UIFont> font);
  // Black unless set.
  const std::shared_ptr<UIColor>& textColor() const { return textColor_; }
  void setTextColor(std::shared_ptr<UIColor> color);
  NSTextAlignment textAlignment() const { return textAlignment_; }
  void setTextAlignment(NSTextAlignment alignment) { textAlignment_ = alignment; }
  int64_t numberOfLines() const { return numberOfLines_; }
  void setNumberOfLines(int64_t lines) { numberOfLines_ = lines; }
  // A disabled label draws its text greyed.
  bool isEnabled() const { return enabled_; }
  void setEnabled(bool enabled) { enabled_ = enabled; }

  // One line of the text in the font's average metrics.
  CGSize intrinsicContentSize() const override;

 private:
  std::string text_;
  std::shared_ptr<UIFont> font_;
  std::shared_ptr<UIColor> textColor_;
  NSTextAlignment textAlignment_ = NSTextAlignmentNatural;
  bool enabled_ = true;
  int64_t numberOfLines_ = 1;
};

}  // namespace platform::uikit
