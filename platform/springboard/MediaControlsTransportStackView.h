#pragma once

#include <cstdint>
#include <memory>

#include "platform/uikit/UIView.h"

namespace platform::springboard {

class MediaControlsTransportButton;

// The row of transport buttons (previous, play/pause, next) of the media controls. Its style says
// where it is shown: 0 in the Control Center module, 3 on the lock-screen platter. Its
// layoutSubviews places the three buttons afresh on every pass: 40 points square, centred
// vertically, the middle one in the middle and the others 5/16 of the width to either side. When
// the outside colouring tweak is installed, the pass then colours each button with the stack
// view's colour information.
class MediaControlsTransportStackView : public uikit::UIView {
  RUNTIME_CLASS(MediaControlsTransportStackView)

 public:
  static std::shared_ptr<MediaControlsTransportStackView> create(uikit::CGRect frame = uikit::CGRectZero,
                                                                 int64_t style = 0);

  static constexpr uikit::CGFloat kButtonSize = 40;

  void initWithFrame(uikit::CGRect frame) override;

  int64_t style() const { return style_; }
  void setStyle(int64_t style) { style_ = style; }

  const std::shared_ptr<MediaControlsTransportButton>& leftButton() const { return leftButton_; }
  const std::shared_ptr<MediaControlsTransportButton>& middleButton() const { return middleButton_; }
  const std::shared_ptr<MediaControlsTransportButton>& rightButton() const { return rightButton_; }

 private:
  void placeButtons();
  void colorizeButtons();

  int64_t style_ = 0;
  std::shared_ptr<MediaControlsTransportButton> leftButton_;
  std::shared_ptr<MediaControlsTransportButton> middleButton_;
  std::shared_ptr<MediaControlsTransportButton> rightButton_;
};

}  // namespace platform::springboard
