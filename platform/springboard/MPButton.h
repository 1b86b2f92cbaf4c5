#pragma once

#include <memory>

#include "platform/uikit/UIButton.h"

namespace platform::springboard {

// A media-player button, such as the route button in the media controls' header. It handles its
// own touch-up in _handleTouchUp, before any target's action.
class MPButton : public uikit::UIButton {
  RUNTIME_CLASS(MPButton)

 public:
  static std::shared_ptr<MPButton> create(uikit::CGRect frame = uikit::CGRectZero);

  void initWithFrame(uikit::CGRect frame) override;

  void _handleTouchUp();
};

}  // namespace platform::springboard
