#include "platform/springboard/simulation/Phone.h"

#include <algorithm>

#include "platform/foundation/NSDate.h"
#include "platform/foundation/NSRunLoop.h"

namespace platform::springboard {

namespace {

constexpr const char* kDefaultModeIdentifier = "com.apple.donotdisturb.mode.default";

}  // namespace

Phone::Phone() : runLoopTimeAtStart_(foundation::NSRunLoop::mainRunLoop().currentTime()) {
  setTimeOfDayAtStart(kDefaultTimeOfDayAtStart);
}

void Phone::setTimeOfDayAtStart(int64_t seconds) {
  timeOfDayAtStart_ = seconds;
  // The reference date began at midnight: the device started on that day.
  foundation::NSDate::setDeviceStartDate(static_cast<double>(seconds), runLoopTimeAtStart_);
}

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
