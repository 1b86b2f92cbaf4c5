#pragma once

#include <memory>

#include "platform/springboard/MPButton.h"
#include "platform/uikit/UIView.h"

namespace platform::springboard {

// The header of the media controls: the title area and the audio-route button. A tap on the route
// button shows or hides the route picker's view, after the button has handled its own touch-up.
class MediaControlsHeaderView : public uikit::UIView {
  RUNTIME_CLASS(MediaControlsHeaderView)

 public:
  static std::shared_ptr<MediaControlsHeaderView> create(uikit::CGRect frame = uikit::CGRectZero);

  void initWithFrame(uikit::CGRect frame) override;

  const std::shared_ptr<MPButton>& routeButton() const { return routeButton_; }
  // The view that the route button shows and hides.
  void setRoutingView(const std::shared_ptr<uikit::UIView>& view) { routingView_ = view; }

 private:
  void routeButtonTapped();

  std::shared_ptr<MPButton> routeButton_;
  std::weak_ptr<uikit::UIView> routingView_;
};

}  // namespace platform::springboard
