#pragma once

#include <memory>
#include <string_view>

#include "platform/runtime/NSObject.h"

namespace platform::springboard {

class Phone;

// SpringBoard's volume control: the hardware volume buttons on every system, and from system
// version 13.0 on the media volume, which is no longer the media controller's there. Volume
// changes go the media controller's way (clamped, with the HUD unless the media controller
// suppresses it).
class SBVolumeControl : public runtime::NSObject {
  RUNTIME_CLASS_WITH_CONSTRUCTORS(SBVolumeControl)
  explicit SBVolumeControl(Phone& phone) : phone_(phone) {}

 public:
  static constexpr const char* kMediaCategory = "Audio/Video";
  // What one press of a volume button changes.
  static constexpr float kVolumeStep = 1.0f / 16;

  // The running SpringBoard's volume control; nil when none runs.
  static std::shared_ptr<SBVolumeControl> sharedInstance();

  // The media volume, 0 to 1. From system version 13.0 on only: earlier systems answer neither
  // this nor setVolume:forCategory:.
  float _getMediaVolumeForIAP();
  // Only the media category ("Audio/Video") is the media volume; other categories are not
  // simulated and change nothing.
  void setVolume(float volume, std::string_view category);

  // One press of the volume-up / volume-down button: a step up or down, whether the screen is lit
  // or dark. Sent through the method table, so that a hook sees every press.
  void increaseVolume();
  void decreaseVolume();

 private:
  void changeMediaVolumeBy(float change) const;

  Phone& phone_;
};

}  // namespace platform::springboard
