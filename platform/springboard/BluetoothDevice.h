#pragma once

#include <cstdint>
#include <string>

#include "platform/runtime/NSObject.h"

namespace platform::springboard {

// A Bluetooth device as the Bluetooth manager lists it.
class BluetoothDevice : public runtime::NSObject {
  RUNTIME_CLASS_WITH_CONSTRUCTORS(BluetoothDevice)
  BluetoothDevice(uint64_t address, std::string name) : address_(address), name_(std::move(name)) {}

 public:
  // Tells apart devices of the same name.
  uint64_t address() const { return address_; }
  const std::string& name() const { return name_; }

 private:
  uint64_t address_;
  std::string name_;
};

}  // namespace platform::springboard
