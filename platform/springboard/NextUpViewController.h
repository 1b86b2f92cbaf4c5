#pragma once

#include <memory>

#include "platform/uikit/UIViewController.h"

namespace platform::springboard {

// The next-up list shown below the media controls.
class NextUpViewController : public uikit::UIViewController {
  RUNTIME_CLASS(NextUpViewController)

 public:
  static std::shared_ptr<NextUpViewController> create(bool controlCenter = false);

  // YES when the list belongs to Control Center's now-playing module.
  bool controlCenter() const { return controlCenter_; }

 private:
  bool controlCenter_ = false;
};

}  // namespace platform::springboard
