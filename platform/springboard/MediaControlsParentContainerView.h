#pragma once

#include <cstdint>
#include <memory>

#include "platform/uikit/UIView.h"

namespace platform::springboard {

// The view that holds a media-controls container: the Control Center module's (style 0) or the
// lock-screen platter (style 3).
class MediaControlsParentContainerView : public uikit::UIView {
  RUNTIME_CLASS(MediaControlsParentContainerView)

 public:
  static std::shared_ptr<MediaControlsParentContainerView> create(uikit::CGRect frame = uikit::CGRectZero,
                                                                  int64_t style = 0);

  int64_t style() const { return style_; }
  void setStyle(int64_t style) { style_ = style; }

 private:
  int64_t style_ = 0;
};

}  // namespace platform::springboard
