#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/runtime/NSObject.h"

namespace lunadoze {

// The actions a snooze runs when it starts and ends, the settings that choose them, and the
// media volume operations. The settings are pushed in by the preference-change block; nothing
// else sets them. Every action looks its host service up anew and does nothing where it is
// missing.
class SpecialTasksHelper : public platform::runtime::NSObject {
 public:
  // The one instance, created on first use and kept for the life of the process.
  static std::shared_ptr<SpecialTasksHelper> getInstance();
  // A new instance in its place, as a new process has; holders of the old one keep it.
  static void resetSharedInstance();

  bool onTimerEndsAirplane() const { return onTimerEndsAirplane_; }
  void setOnTimerEndsAirplane(bool value) { onTimerEndsAirplane_ = value; }
  bool onTimerEndsDND() const { return onTimerEndsDND_; }
  void setOnTimerEndsDND(bool value) { onTimerEndsDND_ = value; }
  bool onTimerEndsBluetooth() const { return onTimerEndsBluetooth_; }
  void setOnTimerEndsBluetooth(bool value) { onTimerEndsBluetooth_ = value; }
  // 0 disconnects every device, 1 the named one, 2 turns Bluetooth off; anything else does nothing.
  int64_t onTimerEndsBluetoothMode() const { return onTimerEndsBluetoothMode_; }
  void setOnTimerEndsBluetoothMode(int64_t value) { onTimerEndsBluetoothMode_ = value; }
  const std::optional<std::string>& onTimerEndsBluetoothDeviceName() const {
    return onTimerEndsBluetoothDeviceName_;
  }
  void setOnTimerEndsBluetoothDeviceName(std::optional<std::string> value) {
    onTimerEndsBluetoothDeviceName_ = std::move(value);
  }
  bool onTimerStartsAirplane() const { return onTimerStartsAirplane_; }
  void setOnTimerStartsAirplane(bool value) { onTimerStartsAirplane_ = value; }
  bool onTimerStartsDND() const { return onTimerStartsDND_; }
  void setOnTimerStartsDND(bool value) { onTimerStartsDND_ = value; }
  bool onTimerStartsCustomVolume() const { return onTimerStartsCustomVolume_; }
  void setOnTimerStartsCustomVolume(bool value) { onTimerStartsCustomVolume_ = value; }
  // Percent.
  int64_t onTimerStartsCustomVolumeValue() const { return onTimerStartsCustomVolumeValue_; }
  void setOnTimerStartsCustomVolumeValue(int64_t value) { onTimerStartsCustomVolumeValue_ = value; }

  void performSpecialActionsOnTimerStart();
  void performSpecialActionsOnTimerEnd();

  // Turns airplane mode on, whatever the name says.
  void disablePlaneMode();
  void enableDND();
  // Every connected device of that name; with none, every connected device.
  void disconnectBluetoothDevice(const std::optional<std::string>& name);
  void disableBluetooth();
  // The media volume at onTimerStartsCustomVolumeValue, without the volume HUD.
  void setCustomVolume();

  // The media volume, 0 to 1, through the service that the system version has.
  void setVolume(double volume);
  // Unclamped: the host clamps what it is given.
  void changeVolumeBy(double change);
  double getVolume();

 private:
  bool onTimerEndsAirplane_ = false;
  bool onTimerEndsDND_ = false;
  bool onTimerEndsBluetooth_ = false;
  int64_t onTimerEndsBluetoothMode_ = 0;
  std::optional<std::string> onTimerEndsBluetoothDeviceName_;
  bool onTimerStartsAirplane_ = false;
  bool onTimerStartsDND_ = false;
  bool onTimerStartsCustomVolume_ = false;
  int64_t onTimerStartsCustomVolumeValue_ = 0;
};

}  // namespace lunadoze
