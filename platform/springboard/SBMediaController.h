#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/foundation/PropertyList.h"
#include "platform/runtime/NSObject.h"

namespace platform::springboard {

class Phone;

// SpringBoard's media controller: the now-playing information of the process, and the object
// that media services are asked through. It fronts the device's music player and media volume.
class SBMediaController : public runtime::NSObject {
  RUNTIME_CLASS_WITH_CONSTRUCTORS(SBMediaController)
  explicit SBMediaController(Phone& phone) : phone_(phone) {}

 public:
  // The running SpringBoard's one media controller; nil when no SpringBoard runs.
  static std::shared_ptr<SBMediaController> sharedInstance();

  // Sent on every now-playing update; null clears the information.
  void setNowPlayingInfo(const foundation::PropertyList::Dictionary* info);
  // The last information received, or null.
  const foundation::PropertyList::Dictionary* nowPlayingInfo() const {
    return nowPlayingInfo_ ? &*nowPlayingInfo_ : nullptr;
  }

  // Pause the music player; YES when something was playing. Which of the two the running system
  // answers is the device's (Phone::mediaControllerPauseMessages); the other is an unrecognized
  // selector.
  bool pause();
  bool pauseForEventSource(int64_t eventSource);

  // The media volume, 0 to 1. Below system version 13.0 only: later systems answer neither.
  float volume();
  void setVolume(float volume);

  // While YES, volume changes show no volume HUD.
  void setSuppressHUD(bool suppress) { suppressHUD_ = suppress; }
  bool isHUDSuppressed() const { return suppressHUD_; }
  // How often the volume HUD has shown since boot.
  int64_t volumeHUDShowCount() const { return volumeHUDShowCount_; }

  // The host's one road to the media volume, whoever asks (the volume services, the hardware
  // buttons): the value is clamped into 0 to 1 and the volume HUD shows unless suppressed. A value
  // that is no number changes nothing.
  void changeMediaVolume(float volume);

 private:
  bool pauseMusic();

  Phone& phone_;
  std::optional<foundation::PropertyList::Dictionary> nowPlayingInfo_;
  bool suppressHUD_ = false;
  int64_t volumeHUDShowCount_ = 0;
};

}  // namespace platform::springboard
