#pragma once

#include <memory>

#include "platform/uikit/CGGeometry.h"

namespace platform::uikit {
class UIViewController;
}

namespace platform::springboard {

class MediaControlsContainerView;
class MediaControlsParentContainerView;
class MediaControlsTransportStackView;

// The lock screen's media controls: the controller of the system's class (before 13.0
// SBDashBoardMediaControlsViewController, from 13.0 on CSMediaControlsViewController), whose view
// holds the platter, a parent container of style 3 with its media container and a transport stack
// view of style 3.
class LockScreenMediaControls {
 public:
  static constexpr uikit::CGRect kPlatterFrame{{8, 100}, {359, 200}};
  static constexpr uikit::CGRect kMediaContainerFrame{{0, 0}, {359, 200}};
  static constexpr uikit::CGRect kTransportStackFrame{{0, 130}, {359, 40}};

  // Made after the host classes are registered: the controller's class depends on the system.
  LockScreenMediaControls();
  ~LockScreenMediaControls();
  LockScreenMediaControls(const LockScreenMediaControls&) = delete;
  LockScreenMediaControls& operator=(const LockScreenMediaControls&) = delete;

  // The controls appear (viewWillAppear:, a layout pass, viewDidAppear:) or go away
  // (viewWillDisappear:, viewDidDisappear:). Showing what shows already changes nothing.
  void show();
  void hide();
  bool isShown() const { return shown_; }
  // The host's layout pass over the controls' views, while they are shown.
  void layout();

  const std::shared_ptr<uikit::UIViewController>& controller() const { return controller_; }
  const std::shared_ptr<MediaControlsParentContainerView>& parentContainerView() const {
    return parentContainerView_;
  }
  const std::shared_ptr<MediaControlsContainerView>& mediaContainerView() const {
    return mediaContainerView_;
  }
  const std::shared_ptr<MediaControlsTransportStackView>& transportStackView() const {
    return transportStackView_;
  }

 private:
  std::shared_ptr<uikit::UIViewController> controller_;
  std::shared_ptr<MediaControlsParentContainerView> parentContainerView_;
  std::shared_ptr<MediaControlsContainerView> mediaContainerView_;
  std::shared_ptr<MediaControlsTransportStackView> transportStackView_;
  bool shown_ = false;
};

}  // namespace platform::springboard
