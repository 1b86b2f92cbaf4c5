#include "platform/springboard/BluetoothManager.h"

#include "platform/runtime/Runtime.h"
#include "platform/springboard/BluetoothDevice.h"
#include "platform/springboard/simulation/Phone.h"
#include "platform/springboard/simulation/SpringBoard.h"

namespace platform::springboard {

runtime::Class* BluetoothManager::runtimeClass() {
  return runtime::objc_registerClass("BluetoothManager", &NSObject::runtimeClass);
}

std::shared_ptr<BluetoothManager> BluetoothManager::sharedInstance() {
  SpringBoard* springBoard = SpringBoard::running();
  return springBoard ? springBoard->bluetoothManager() : nullptr;
}

std::vector<std::shared_ptr<BluetoothDevice>> BluetoothManager::connectedDevices() const {
  std::vector<std::shared_ptr<BluetoothDevice>> devices;
  for (const auto& connection : phone_.bluetoothConnections()) {
    devices.push_back(BluetoothDevice::alloc(connection.address, connection.name));
  }
  return devices;
}

void BluetoothManager::disconnectDevicePhysicalLink(const BluetoothDevice* device) {
  if (device != nullptr) phone_.disconnectBluetoothDevice(device->address());
}

void BluetoothManager::setEnabled(bool enabled) {
  phone_.setBluetoothPowered(enabled);
}

}  // namespace platform::springboard
