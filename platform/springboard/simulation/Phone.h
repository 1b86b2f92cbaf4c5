#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/springboard/simulation/MusicPlayer.h"
#include "platform/uikit/UIDevice.h"

namespace platform::uikit {
class UIColor;
}

namespace platform::springboard {

// The simulated phone: what outlives SpringBoard. A respring starts a new SpringBoard on the same
// device; the device's own state (its configuration, and the services that keep running beside
// SpringBoard: the music player, the media volume, the radios, Do Not Disturb, the display)
// carries over. Settings persist on their own, in the device's file system. SpringBoard's classes
// front this state; tests and the simulator read it here.
class Phone {
 public:
  // Which pause messages SpringBoard's media controller answers; they differ between systems.
  enum class PauseMessages { Both, Pause, PauseForEventSource, Neither };

  // A Do Not Disturb assertion that a client took, as the mode service records it.
  struct ModeAssertion {
    std::string clientIdentifier;
    std::string identifier;
    std::string modeIdentifier;
  };

  // A connected Bluetooth device. The address tells apart devices of the same name.
  struct BluetoothConnection {
    uint64_t address;
    std::string name;
  };

  static constexpr const char* kDefaultLocaleIdentifier = "en_US";
  static constexpr float kDefaultMediaVolume = 0.5f;
  static constexpr int64_t kDefaultTimeOfDayAtStart = (22 * 60 + 30) * int64_t{60};

  Phone();
  Phone(const Phone&) = delete;
  Phone& operator=(const Phone&) = delete;

  // The system version text and the locale that SpringBoard reports from its next boot on.
  const std::string& systemVersion() const { return systemVersion_; }
  void setSystemVersion(std::string version) { systemVersion_ = std::move(version); }
  const std::string& localeIdentifier() const { return localeIdentifier_; }
  void setLocaleIdentifier(std::string identifier) { localeIdentifier_ = std::move(identifier); }
  // What SpringBoard's media controller answers from its next boot on.
  PauseMessages mediaControllerPauseMessages() const { return pauseMessages_; }
  void setMediaControllerPauseMessages(PauseMessages messages) { pauseMessages_ = messages; }

  // Seconds after midnight on the device's wall clock when the device started (was made). The
  // device's clock follows at once: the time of day is this plus the time since the start.
  int64_t timeOfDayAtStart() const { return timeOfDayAtStart_; }
  void setTimeOfDayAtStart(int64_t seconds);

  MusicPlayer& musicPlayer() { return musicPlayer_; }
  const MusicPlayer& musicPlayer() const { return musicPlayer_; }

  // 0 to 1. SpringBoard clamps what it is asked to set; this holds what it set.
  float mediaVolume() const { return mediaVolume_; }
  void setMediaVolume(float volume) { mediaVolume_ = volume; }

  // Whether Control Center's media controls show the next-up list; SpringBoard follows at once.
  bool showsNextUp() const { return showsNextUp_; }
  void setShowsNextUp(bool shows) { showsNextUp_ = shows; }
  // The outside colouring tweak's primary colour from the next boot on; null while the device
  // does not have that tweak.
  const std::shared_ptr<uikit::UIColor>& colouringTweakPrimaryColor() const { return colouringTweakColor_; }
  void setColouringTweakPrimaryColor(std::shared_ptr<uikit::UIColor> color) {
    colouringTweakColor_ = std::move(color);
  }

  bool isScreenOn() const { return screenOn_; }
  void setScreenOn(bool on) { screenOn_ = on; }

  bool isAirplaneModeOn() const { return airplaneMode_; }
  void setAirplaneMode(bool on) { airplaneMode_ = on; }

  // On while the bulletin board's behaviour override is 1 or a client holds an assertion of the
  // default mode.
  bool isDoNotDisturbOn() const;
  int64_t behaviorOverrideStatus() const { return behaviorOverrideStatus_; }
  void setBehaviorOverrideStatus(int64_t status) { behaviorOverrideStatus_ = status; }
  const std::vector<ModeAssertion>& modeAssertions() const { return modeAssertions_; }
  void addModeAssertion(ModeAssertion assertion) { modeAssertions_.push_back(std::move(assertion)); }

  bool isBluetoothPowered() const { return bluetoothPowered_; }
  // Powering off drops every connection.
  void setBluetoothPowered(bool powered);
  // Connection order. Empty while Bluetooth is off.
  const std::vector<BluetoothConnection>& bluetoothConnections() const { return bluetoothConnections_; }
  // A device that connects; nothing connects while Bluetooth is off (false).
  bool connectBluetoothDevice(std::string name);
  void disconnectBluetoothDevice(uint64_t address);

 private:
  std::string systemVersion_ = uikit::UIDevice::kDefaultSystemVersion;
  std::string localeIdentifier_ = kDefaultLocaleIdentifier;
  PauseMessages pauseMessages_ = PauseMessages::Both;
  int64_t timeOfDayAtStart_ = kDefaultTimeOfDayAtStart;
  double runLoopTimeAtStart_;
  MusicPlayer musicPlayer_;
  float mediaVolume_ = kDefaultMediaVolume;
  bool showsNextUp_ = false;
  std::shared_ptr<uikit::UIColor> colouringTweakColor_;
  bool screenOn_ = true;
  bool airplaneMode_ = false;
  int64_t behaviorOverrideStatus_ = 0;
  std::vector<ModeAssertion> modeAssertions_;
  bool bluetoothPowered_ = true;
  std::vector<BluetoothConnection> bluetoothConnections_;
  uint64_t nextBluetoothAddress_ = 1;
};

}  // namespace platform::springboard
