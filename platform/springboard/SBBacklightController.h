#pragma once

#include <memory>

#include "platform/runtime/NSObject.h"

namespace platform::springboard {

class Device;

// SpringBoard's view of the display's backlight.
class SBBacklightController : public runtime::NSObject {
 public:
  static runtime::Class* runtimeClass();
  runtime::Class* isa() const override { return runtimeClass(); }

  // The running SpringBoard's backlight controller; nil when none runs.
  static std::shared_ptr<SBBacklightController> sharedInstance();

  explicit SBBacklightController(const Device& device) : device_(device) {}

  // YES while the display is lit.
  bool screenIsOn() const;

 private:
  const Device& device_;
};

}  // namespace platform::springboard
