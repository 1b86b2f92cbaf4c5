#pragma once

#include <memory>
#include <vector>

#include "platform/runtime/NSObject.h"

namespace platform::springboard {

class BluetoothDevice;
class Phone;

// The device's Bluetooth: its power and its connected devices.
class BluetoothManager : public runtime::NSObject {
  RUNTIME_CLASS_WITH_CONSTRUCTORS(BluetoothManager)
  explicit BluetoothManager(Phone& phone) : phone_(phone) {}

 public:
  // The running SpringBoard's Bluetooth manager; nil when none runs.
  static std::shared_ptr<BluetoothManager> sharedInstance();

  // In the order they connected; empty while Bluetooth is off.
  std::vector<std::shared_ptr<BluetoothDevice>> connectedDevices() const;
  // A device that is not connected (any more) is left alone.
  void disconnectDevicePhysicalLink(const BluetoothDevice* device);
  // NO turns Bluetooth off, which disconnects every device.
  void setEnabled(bool enabled);

 private:
  Phone& phone_;
};

}  // namespace platform::springboard
