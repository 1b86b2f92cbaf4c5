#include "tweak/engine/SpecialTasksHelper.h"

#include <algorithm>

#include "platform/foundation/Dispatch.h"
#include "platform/foundation/SystemLog.h"
#include "platform/springboard/BBSettingsGateway.h"
#include "platform/springboard/BluetoothDevice.h"
#include "platform/springboard/BluetoothManager.h"
#include "platform/springboard/DNDModeAssertionDetails.h"
#include "platform/springboard/DNDModeAssertionService.h"
#include "platform/springboard/RadiosPreferences.h"
#include "platform/springboard/SBMediaController.h"
#include "platform/springboard/SBVolumeControl.h"
#include "tweak/core/SystemVersion.h"

namespace lunadoze {

using platform::foundation::NSLog;
using namespace platform::springboard;

namespace {

// onTimerEndsBluetoothMode
enum BluetoothMode : int64_t { DisconnectAll = 0, DisconnectNamed = 1, TurnOff = 2 };

// From 13.0 on the media volume is the volume control's, no longer the media controller's.
bool volumeGoesThroughVolumeControl() {
  return systemVersion() >= 13.0f;
}

std::shared_ptr<SpecialTasksHelper>& instance() {
  // The static's guarded initialization is the run-once guard.
  static std::shared_ptr<SpecialTasksHelper> instance = std::make_shared<SpecialTasksHelper>();
  return instance;
}

}  // namespace

std::shared_ptr<SpecialTasksHelper> SpecialTasksHelper::getInstance() {
  return instance();
}

void SpecialTasksHelper::resetSharedInstance() {
  instance() = std::make_shared<SpecialTasksHelper>();
}

void SpecialTasksHelper::performSpecialActionsOnTimerStart() {
  NSLog("performSpecialActionsOnTimerStart");
  if (onTimerStartsAirplane_) disablePlaneMode();
  if (onTimerStartsDND_) enableDND();
  if (onTimerStartsCustomVolume_) setCustomVolume();
}

void SpecialTasksHelper::performSpecialActionsOnTimerEnd() {
  NSLog("performSpecialActionsOnTimerEnd");
  if (onTimerEndsAirplane_) disablePlaneMode();
  if (onTimerEndsDND_) enableDND();
  if (!onTimerEndsBluetooth_) return;
  switch (onTimerEndsBluetoothMode_) {
    case TurnOff:
      disableBluetooth();
      break;
    case DisconnectNamed:
      disconnectBluetoothDevice(onTimerEndsBluetoothDeviceName_);
      break;
    case DisconnectAll:
      disconnectBluetoothDevice(std::nullopt);
      break;
    default:
      break;
  }
}

void SpecialTasksHelper::disablePlaneMode() {
  auto radios = RadiosPreferences::create();
  if (radios == nullptr) return;
  radios->setAirplaneMode(true);
  radios->synchronize();
}

void SpecialTasksHelper::enableDND() {
  // The assertion service came with 12.0; before it, the bulletin board's override is the switch.
  auto service =
      DNDModeAssertionService::serviceForClientIdentifier("com.apple.donotdisturb.control-center.module");
  if (service != nullptr) {
    auto details = DNDModeAssertionDetails::userRequestedAssertionDetailsWithIdentifier(
        "com.apple.control-center.manual-toggle", "com.apple.donotdisturb.mode.default",
        /*lifetime=*/nullptr);
    service->takeModeAssertionWithDetails(details, /*error=*/nullptr);
    return;
  }
  if (auto gateway = BBSettingsGateway::create()) gateway->setBehaviorOverrideStatus(1);
}

void SpecialTasksHelper::disconnectBluetoothDevice(const std::optional<std::string>& name) {
  auto manager = BluetoothManager::sharedInstance();
  if (manager == nullptr) return;
  for (const auto& device : manager->connectedDevices()) {
    if (name && device->name() != *name) continue;
    manager->disconnectDevicePhysicalLink(device.get());
  }
}

void SpecialTasksHelper::disableBluetooth() {
  if (auto manager = BluetoothManager::sharedInstance()) manager->setEnabled(false);
}

void SpecialTasksHelper::setCustomVolume() {
  auto mediaController = SBMediaController::sharedInstance();
  if (mediaController) mediaController->setSuppressHUD(true);
  // A stored value outside the percent range would otherwise reach the host as a volume.
  setVolume(static_cast<double>(std::clamp<int64_t>(onTimerStartsCustomVolumeValue_, 0, 100)) / 100.0);
  platform::foundation::dispatch_after(0.3, [mediaController] {
    if (mediaController) mediaController->setSuppressHUD(false);
  });
}

void SpecialTasksHelper::setVolume(double volume) {
  if (volumeGoesThroughVolumeControl()) {
    if (auto volumeControl = SBVolumeControl::sharedInstance())
      volumeControl->setVolume(static_cast<float>(volume), "Audio/Video");
  } else if (auto mediaController = SBMediaController::sharedInstance()) {
    mediaController->setVolume(static_cast<float>(volume));
  }
}

void SpecialTasksHelper::changeVolumeBy(double change) {
  setVolume(getVolume() + change);
}

double SpecialTasksHelper::getVolume() {
  if (volumeGoesThroughVolumeControl()) {
    auto volumeControl = SBVolumeControl::sharedInstance();
    return volumeControl ? volumeControl->_getMediaVolumeForIAP() : 0.0;
  }
  auto mediaController = SBMediaController::sharedInstance();
  return mediaController ? mediaController->volume() : 0.0;
}

}  // namespace lunadoze
