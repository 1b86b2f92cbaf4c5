#pragma once

#include <string>

namespace platform::uikit {

// The device the process runs on. Code reads the system version as the device's code does, with
// NSString's floatValue (platform/foundation/NSString.h):
// floatValue(UIDevice::currentDevice()->systemVersion()).
class UIDevice {
 public:
  static constexpr const char* kDefaultSystemVersion = "14.4";

  static UIDevice* currentDevice();

  // The system version text; kDefaultSystemVersion unless the simulated device says otherwise.
  const std::string& systemVersion() const { return systemVersion_; }
  void setSystemVersion(std::string version) { systemVersion_ = std::move(version); }

 private:
  UIDevice() = default;

  std::string systemVersion_ = kDefaultSystemVersion;
};

}  // namespace platform::uikit
