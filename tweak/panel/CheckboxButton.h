#pragma once

#include <memory>

#include "platform/uikit/UIButton.h"

namespace lunadoze {

// An icon toggle: checked is the button's selected state. It shows full opacity when checked and
// kUncheckedAlpha when not, pops on every change of state, and a tap toggles it with a haptic tap.
class CheckboxButton : public platform::uikit::UIButton {
  RUNTIME_CLASS(CheckboxButton)

 public:
  static constexpr platform::uikit::CGFloat kUncheckedAlpha = 0.3;
  static constexpr platform::uikit::CGFloat kPopScale = 0.8;
  static constexpr double kPopDuration = 0.3;

  // [[CheckboxButton alloc] init]. Unchecked.
  static std::shared_ptr<CheckboxButton> create();
  void initWithCoder(platform::uikit::UINibDecoder& coder) override;

  // The action of its own touch-up-inside.
  void checkboxSelected(platform::runtime::id sender);
  void toggleCheck();
  void check(bool checked);
  bool isChecked() const { return isSelected(); }

  // setSelected: is overridden in the method table: every call, a change or not, sets the alpha
  // and replays the pop.

 private:
  void addCheckboxAction();
};

}  // namespace lunadoze
