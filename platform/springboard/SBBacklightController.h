#pragma once

#include <memory>

#include "platform/runtime/NSObject.h"

namespace platform::springboard {

class Phone;

// SpringBoard's view of the display's backlight.
class SBBacklightController : public runtime::NSObject {
  RUNTIME_CLASS_WITH_CONSTRUCTORS(SBBacklightController)
  explicit SBBacklightController(const Phone& phone) : phone_(phone) {}

 public:
  // The running SpringBoard's backlight controller; nil when none runs.
  static std::shared_ptr<SBBacklightController> sharedInstance();

  // YES while the display is lit.
  bool screenIsOn() const;

 private:
  const Phone& phone_;
};

}  // namespace platform::springboard
