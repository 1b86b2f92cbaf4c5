#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/springboard/simulation/Phone.h"
#include "platform/springboard/simulation/SpringBoard.h"
#include "sim/DeviceRoot.h"
#include "sim/LogClock.h"
#include "sim/settings/SettingsProcess.h"

namespace lunadoze::sim {

// The device that scripts act on: its file system root, its clock, the simulated phone and its
// SpringBoard. Scripts run on it one after another, each from a fresh boot state.
class Device {
 public:
  Device(const std::optional<std::filesystem::path>& root, bool realtime);
  Device(const Device&) = delete;
  Device& operator=(const Device&) = delete;

  // The host path of a device path; CommandError when the path is refused (not absolute, or
  // leaving the device root).
  std::filesystem::path hostPath(std::string_view devicePath) const;
  DeviceRoot& root() { return root_; }

  // A fresh boot state: SpringBoard not running, the Settings app closed, the phone's
  // configuration at its defaults, the clock at zero. What is on the device's file system stays.
  void switchOn();
  // The device as freshly staged: SpringBoard stopped, the Settings app closed, the files back
  // to what staging made. switchOn() follows.
  void restoreFresh();
  // The phone's configuration; what SpringBoard reads at boot.
  platform::springboard::Phone& phone() { return *phone_; }

  // CommandError when SpringBoard already runs.
  void boot();
  // SpringBoard restarts: the tweak is loaded anew, with a fresh process state. CommandError
  // when SpringBoard does not run.
  void respring();
  platform::springboard::SpringBoard& springBoard() { return *springBoard_; }

  // The Settings app, opened at the first use and kept open, as a person keeps it open, until it
  // is closed; it runs whether SpringBoard does or not. CommandError when it cannot be started.
  SettingsProcess& settingsApp();
  void closeSettingsApp();

  // Seconds since the device was switched on.
  double clock() const;
  bool isRealtime() const;
  // Lets time pass: virtual time jumps, real time is waited for, with `tick` called every quarter
  // of a second meanwhile.
  void wait(double seconds);
  void setRealtimeTick(std::function<void()> tick) { realtimeTick_ = std::move(tick); }
  // Runs what has fallen due.
  void runDueEvents();
  // Lets real time pass, running what falls due, until the descriptor is readable; `tick`, when
  // given, runs every quarter of a second meanwhile.
  void runUntilReadable(int fd, const std::function<void()>& tick = nullptr);

  // The keys that the preferences pane's pages have rows for, as the device's bundle lists them;
  // empty when the bundle cannot be read (then no key can be judged unknown).
  std::vector<std::string> settingKeys() const;

  // When each system log line was written.
  LogClock& logClock() { return logClock_; }

 private:
  // Declared in the order they depend on each other: SpringBoard refers to the phone, and its
  // libraries live in the root, so it goes first.
  DeviceRoot root_;
  std::unique_ptr<platform::springboard::Phone> phone_;
  std::unique_ptr<platform::springboard::SpringBoard> springBoard_;
  // After the root: the app works in it until it is closed.
  std::unique_ptr<SettingsProcess> settingsApp_;
  double clockOrigin_ = 0;
  LogClock logClock_;
  std::function<void()> realtimeTick_;
};

}  // namespace lunadoze::sim
