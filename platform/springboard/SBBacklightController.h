#pragma once

#include <memory>

#include "platform/runtime/NSObject.h"

namespace platform::springboard {

class Phone;

// SpringBoard's view of the display's backlight.
class SBBacklightController : public runtime::NSObject {
 public:
  static runtime::Class* runtimeClass();
  runtime::Class* isa() const override { return runtimeClass(); }

  // The running SpringBoard's backlight controller; nil when none runs.
  static std::shared_ptr<SBBacklightController> sharedInstance();

  explicit SBBacklightController(const Phone& phone) : phone_(phone) {}

  // YES while the display is lit.
  bool screenIsOn() const;

 private:
  const Phone& phone_;
};

}  // namespace platform::springboard
