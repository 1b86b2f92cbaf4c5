#include "platform/springboard/simulation/Phone.h"

#include <algorithm>

namespace platform::springboard {

namespace {

constexpr const char* kDefaultModeIdentifier = "com.apple.donotdisturb.mode.default";

}  // namespace

bool Phone::isDoNotDisturbOn() const {
  return behaviorOverrideStatus_ == 1 ||
         std::ranges::any_of(modeAssertions_, [](const ModeAssertion& assertion) {
           return assertion.modeIdentifier == kDefaultModeIdentifier;
         });
}

void Phone::setBluetoothPowered(bool powered) {
  bluetoothPowered_ = powered;
  if (!powered) bluetoothConnections_.clear();
}

bool Phone::connectBluetoothDevice(std::string name) {
  if (!bluetoothPowered_) return false;
  bluetoothConnections_.push_back({nextBluetoothAddress_++, std::move(name)});
  return true;
}

void Phone::disconnectBluetoothDevice(uint64_t address) {
  std::erase_if(bluetoothConnections_,
                [address](const BluetoothConnection& connection) { return connection.address == address; });
}

}  // namespace platform::springboard
