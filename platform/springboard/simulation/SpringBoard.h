#pragma once

#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/springboard/simulation/SubstrateLoader.h"

namespace platform::springboard {

class BluetoothManager;
class Phone;
class LockScreenMediaControls;
class NowPlayingModule;
class SBBacklightController;
class SBMediaController;
class SBVolumeControl;

// The SpringBoard process of a simulated device. A boot starts it as the device does: the process
// is named "SpringBoard", the host classes of the device's system version exist, and the substrate
// loader opens the libraries whose filters name SpringBoard (their load-time constructors run
// there and then). A respring ends the process and boots a new one: every object of the old one
// is gone, its libraries are unloaded and its classes forgotten, so the next boot starts from a
// fresh process state. What outlives a respring belongs to the Phone. A running SpringBoard
// resprings when any process of the device kills backboardd (NSTask's restart notification).
class SpringBoard {
 public:
  static constexpr const char* kProcessName = "SpringBoard";
  static constexpr const char* kBundleIdentifier = "com.apple.springboard";

  explicit SpringBoard(Phone& phone);
  ~SpringBoard();
  SpringBoard(const SpringBoard&) = delete;
  SpringBoard& operator=(const SpringBoard&) = delete;

  // The running SpringBoard, or null. One runs at a time.
  static SpringBoard* running();
  // The running SpringBoard's device when its system has a class of that name, else null: a
  // service of a class that the system lacks is nil.
  static Phone* runningPhoneWithClass(std::string_view className);

  void boot();
  void shutDown();
  void respring();
  bool isRunning() const { return process_ != nullptr; }

  Phone& phone() const { return phone_; }
  // The process's shared instances of its services; null while not running, and where the
  // running system has no such class.
  std::shared_ptr<SBMediaController> mediaController() const;
  std::shared_ptr<SBVolumeControl> volumeControl() const;
  std::shared_ptr<SBBacklightController> backlightController() const;
  std::shared_ptr<BluetoothManager> bluetoothManager() const;
  // Control Center's now-playing module and the lock screen's media controls; null while not
  // running.
  NowPlayingModule* nowPlayingModule() const;
  LockScreenMediaControls* lockScreenMediaControls() const;
  // The layout pass that follows each of the person's actions, over the media views shown.
  void layoutShownViews() const;
  // The host paths of the libraries the loader opened, in load order.
  std::vector<std::filesystem::path> loadedLibraries() const;

 private:
  struct Process;

  void registerHostClasses();
  // The outside colouring tweak, when the device has it, extends the media controls before any
  // library of the substrate loads.
  void installColouringTweak();
  // Sends the player's now-playing information to the media controller, as the media server
  // tells SpringBoard.
  void nowPlayingDidChange() const;

  Phone& phone_;
  std::unique_ptr<Process> process_;
  SubstrateLoader loader_{kBundleIdentifier, kProcessName};
};

}  // namespace platform::springboard
