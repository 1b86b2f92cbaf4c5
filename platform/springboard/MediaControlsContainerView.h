#pragma once

#include <memory>

#include "platform/uikit/UIView.h"

namespace platform::springboard {

// The media controls of the now-playing module and of the lock-screen platter: artwork, header and the
// transport stack view.
class MediaControlsContainerView : public uikit::UIView {
  RUNTIME_CLASS(MediaControlsContainerView)

 public:
  static std::shared_ptr<MediaControlsContainerView> create(uikit::CGRect frame = uikit::CGRectZero);

  // Whether the next-up list shows below the controls; answered through the method table.
  bool shouldShowNextUp();
  void setShowsNextUp(bool shows) { showsNextUp_ = shows; }

 private:
  bool showsNextUp_ = false;
};

}  // namespace platform::springboard
