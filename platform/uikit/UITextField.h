#pragma once

#include <memory>
#include <string>

#include "platform/uikit/UIControl.h"

namespace platform::uikit {

inline constexpr UIControlEvents UIControlEventEditingDidEnd = 1 << 18;

// One line of editable text. A person's edit ends with UIControlEventEditingDidEnd; setText sends
// nothing.
class UITextField : public UIControl {
  RUNTIME_CLASS(UITextField)

 public:
  static std::shared_ptr<UITextField> create(CGRect frame = CGRectZero);

  const std::string& text() const { return text_; }
  void setText(std::string text) { text_ = std::move(text); }
  const std::string& placeholder() const { return placeholder_; }
  void setPlaceholder(std::string placeholder) { placeholder_ = std::move(placeholder); }

 private:
  std::string text_;
  std::string placeholder_;
};

}  // namespace platform::uikit
