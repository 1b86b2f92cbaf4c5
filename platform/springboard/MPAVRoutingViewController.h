#pragma once

#include <memory>

#include "platform/uikit/UIViewController.h"

namespace platform::springboard {

// The audio-route (AirPlay) picker.
class MPAVRoutingViewController : public uikit::UIViewController {
  RUNTIME_CLASS(MPAVRoutingViewController)

 public:
  static std::shared_ptr<MPAVRoutingViewController> create();
};

}  // namespace platform::springboard
