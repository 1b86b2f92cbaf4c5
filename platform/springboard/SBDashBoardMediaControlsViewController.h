#pragma once

#include <memory>

#include "platform/uikit/UIViewController.h"

namespace platform::springboard {

// The lock screen's media controls, on systems before 13.0.
class SBDashBoardMediaControlsViewController : public uikit::UIViewController {
  RUNTIME_CLASS(SBDashBoardMediaControlsViewController)

 public:
  static std::shared_ptr<SBDashBoardMediaControlsViewController> create();
};

}  // namespace platform::springboard
