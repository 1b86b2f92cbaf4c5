#pragma once

#include <cstdint>
#include <memory>

#include "platform/uikit/UIView.h"

namespace platform::springboard {

class MediaControlsTransportButton;

// The row of transport buttons (previous, play/pause, next) of the media controls. Its style says
// where it is shown: 0 in the Control Center module, 3 on the lock-screen platter.
class MediaControlsTransportStackView : public uikit::UIView {
 public:
  static runtime::Class* runtimeClass();
  runtime::Class* isa() const override { return runtimeClass(); }

  static std::shared_ptr<MediaControlsTransportStackView> create(uikit::CGRect frame = uikit::CGRectZero,
                                                                 int64_t style = 0);

  void initWithFrame(uikit::CGRect frame) override;

  int64_t style() const { return style_; }
  void setStyle(int64_t style) { style_ = style; }

  const std::shared_ptr<MediaControlsTransportButton>& leftButton() const { return leftButton_; }
  const std::shared_ptr<MediaControlsTransportButton>& middleButton() const { return middleButton_; }
  const std::shared_ptr<MediaControlsTransportButton>& rightButton() const { return rightButton_; }

 private:
  int64_t style_ = 0;
  std::shared_ptr<MediaControlsTransportButton> leftButton_;
  std::shared_ptr<MediaControlsTransportButton> middleButton_;
  std::shared_ptr<MediaControlsTransportButton> rightButton_;
};

}  // namespace platform::springboard
