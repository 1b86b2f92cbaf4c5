#pragma once

#include <memory>
#include <string_view>

#include "platform/runtime/NSObject.h"

namespace platform::springboard {

class Phone;

// SpringBoard's volume control of system version 13.0 on, where the media volume is no longer
// the media controller's. Volume changes go the media controller's way (clamped, with the HUD
// unless the media controller suppresses it).
class SBVolumeControl : public runtime::NSObject {
  RUNTIME_CLASS_WITH_CONSTRUCTORS(SBVolumeControl)
  explicit SBVolumeControl(Phone& phone) : phone_(phone) {}

 public:
  static constexpr const char* kMediaCategory = "Audio/Video";

  // The running SpringBoard's volume control; nil when none runs or its system has no such class.
  static std::shared_ptr<SBVolumeControl> sharedInstance();

  // The media volume, 0 to 1.
  float _getMediaVolumeForIAP() const;
  // Only the media category ("Audio/Video") is the media volume; other categories are not
  // simulated and change nothing.
  void setVolume(float volume, std::string_view category);

 private:
  Phone& phone_;
};

}  // namespace platform::springboard
