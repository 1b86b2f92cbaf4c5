#pragma once

#include <memory>

#include "platform/uikit/UIViewController.h"

namespace platform::springboard {

// The lock screen's media controls, from system 13.0 on.
class CSMediaControlsViewController : public uikit::UIViewController {
  RUNTIME_CLASS(CSMediaControlsViewController)

 public:
  static std::shared_ptr<CSMediaControlsViewController> create();
};

}  // namespace platform::springboard
