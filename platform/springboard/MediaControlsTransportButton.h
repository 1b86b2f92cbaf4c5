#pragma once

#include <memory>

#include "platform/uikit/UIButton.h"

namespace platform::springboard {

// One of the three transport buttons (previous, play/pause, next) of a transport stack view.
class MediaControlsTransportButton : public uikit::UIButton {
  RUNTIME_CLASS(MediaControlsTransportButton)

 public:
  static std::shared_ptr<MediaControlsTransportButton> create(uikit::CGRect frame = uikit::CGRectZero);
};

}  // namespace platform::springboard
