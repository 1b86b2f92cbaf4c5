#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/runtime/NSObject.h"

namespace lunadoze {

// The actions a snooze runs when it starts and ends, and the settings that choose them. The
// settings are pushed in by the preference-change block; nothing else sets them.
class SpecialTasksHelper : public platform::runtime::NSObject {
 public:
  // The one instance, created on first use and kept for the life of the process.
  static std::shared_ptr<SpecialTasksHelper> getInstance();

  bool onTimerEndsAirplane() const { return onTimerEndsAirplane_; }
  void setOnTimerEndsAirplane(bool value) { onTimerEndsAirplane_ = value; }
  bool onTimerEndsDND() const { return onTimerEndsDND_; }
  void setOnTimerEndsDND(bool value) { onTimerEndsDND_ = value; }
  bool onTimerEndsBluetooth() const { return onTimerEndsBluetooth_; }
  void setOnTimerEndsBluetooth(bool value) { onTimerEndsBluetooth_ = value; }
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
  int64_t onTimerStartsCustomVolumeValue() const { return onTimerStartsCustomVolumeValue_; }
  void setOnTimerStartsCustomVolumeValue(int64_t value) { onTimerStartsCustomVolumeValue_ = value; }

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
