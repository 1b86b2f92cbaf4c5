#pragma once

#include <memory>

#include "platform/uikit/UIViewController.h"

namespace platform::springboard {

// The audio-route (AirPlay) picker.
class MPAVRoutingViewController : public uikit::UIViewController {
 public:
  static runtime::Class* runtimeClass();
  runtime::Class* isa() const override { return runtimeClass(); }

  static std::shared_ptr<MPAVRoutingViewController> create();
};

}  // namespace platform::springboard
