#pragma once

#include <string>

#include "platform/uikit/UIDevice.h"

namespace platform::springboard {

// The simulated phone: what outlives SpringBoard. A respring starts a new SpringBoard on the same
// device; the device's own state (its configuration, and the services that keep running beside
// SpringBoard) carries over. Settings persist on their own, in the device's file system.
class Device {
 public:
  // The system version text that SpringBoard reports from its next boot on.
  const std::string& systemVersion() const { return systemVersion_; }
  void setSystemVersion(std::string version) { systemVersion_ = std::move(version); }

 private:
  std::string systemVersion_ = uikit::UIDevice::kDefaultSystemVersion;
};

}  // namespace platform::springboard
