#pragma once

#include <memory>

#include "platform/uikit/UIButton.h"

namespace lunadoze {

// A small icon button whose touch target reaches kTouchMargin points beyond every edge, and
// which gives a haptic tap with every action message it sends.
class ButtonWithIncreasedTouchArea : public platform::uikit::UIButton {
  RUNTIME_CLASS(ButtonWithIncreasedTouchArea)

 public:
  static constexpr platform::uikit::CGFloat kTouchMargin = 20;

  // [ButtonWithIncreasedTouchArea buttonWithType:UIButtonTypeCustom].
  static std::shared_ptr<ButtonWithIncreasedTouchArea> create();

  // pointInside:withEvent: and sendAction:to:forEvent: are overridden in the method table.
};

}  // namespace lunadoze
