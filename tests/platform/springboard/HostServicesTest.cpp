#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/runtime/Runtime.h"
#include "platform/springboard/BBSettingsGateway.h"
#include "platform/springboard/BluetoothDevice.h"
#include "platform/springboard/BluetoothManager.h"
#include "platform/springboard/DNDModeAssertion.h"
#include "platform/springboard/DNDModeAssertionDetails.h"
#include "platform/springboard/DNDModeAssertionService.h"
#include "platform/springboard/RadiosPreferences.h"
#include "platform/springboard/SBBacklightController.h"
#include "platform/springboard/SBMediaController.h"
#include "platform/springboard/SBVolumeControl.h"
#include "platform/springboard/simulation/Phone.h"
#include "platform/springboard/simulation/SpringBoard.h"
#include "tests/platform/foundation/TemporaryDirectory.h"

namespace platform::springboard {
namespace {

class HostServicesTest : public ::testing::Test {
 protected:
  void SetUp() override { foundation::DeviceFileSystem::setRoot(root_.path()); }

  void boot(std::string systemVersion) {
    device_.setSystemVersion(std::move(systemVersion));
    springBoard_.boot();
  }

  foundation::TemporaryDirectory root_;
  Phone device_;
  SpringBoard springBoard_{device_};
};

TEST_F(HostServicesTest, BelowThirteenTheMediaControllerOwnsTheVolume) {
  boot("12.4");
  // The volume control is there for its buttons only.
  ASSERT_NE(SBVolumeControl::sharedInstance(), nullptr);
  EXPECT_FALSE(SBVolumeControl::sharedInstance()->respondsToSelector("_getMediaVolumeForIAP"));
  EXPECT_FALSE(SBVolumeControl::sharedInstance()->respondsToSelector("setVolume:forCategory:"));
  auto mediaController = SBMediaController::sharedInstance();
  EXPECT_FLOAT_EQ(mediaController->volume(), Phone::kDefaultMediaVolume);
  mediaController->setVolume(0.25f);
  EXPECT_FLOAT_EQ(device_.mediaVolume(), 0.25f);
}

TEST_F(HostServicesTest, FromThirteenOnTheVolumeControlOwnsTheMediaCategory) {
  boot("13.0");
  EXPECT_FALSE(SBMediaController::sharedInstance()->respondsToSelector("setVolume:"));
  EXPECT_FALSE(SBMediaController::sharedInstance()->respondsToSelector("volume"));
  auto volumeControl = SBVolumeControl::sharedInstance();
  ASSERT_NE(volumeControl, nullptr);
  volumeControl->setVolume(0.8f, "Audio/Video");
  EXPECT_FLOAT_EQ(volumeControl->_getMediaVolumeForIAP(), 0.8f);
  volumeControl->setVolume(0.1f, "Ringtone");
  EXPECT_FLOAT_EQ(device_.mediaVolume(), 0.8f);
}

TEST_F(HostServicesTest, VolumeButtonsStepBySixteenthsWithinTheRangeOnEverySystem) {
  for (const char* version : {"12.4", "14.4"}) {
    SCOPED_TRACE(version);
    boot(version);
    auto volumeControl = SBVolumeControl::sharedInstance();
    auto mediaController = SBMediaController::sharedInstance();
    device_.setMediaVolume(0.5f);
    volumeControl->increaseVolume();
    EXPECT_FLOAT_EQ(device_.mediaVolume(), 0.5625f);
    volumeControl->decreaseVolume();
    volumeControl->decreaseVolume();
    EXPECT_FLOAT_EQ(device_.mediaVolume(), 0.4375f);
    EXPECT_EQ(mediaController->volumeHUDShowCount(), 3);

    device_.setMediaVolume(0.98f);
    volumeControl->increaseVolume();
    EXPECT_EQ(device_.mediaVolume(), 1.0f);
    device_.setMediaVolume(0.02f);
    volumeControl->decreaseVolume();
    EXPECT_EQ(device_.mediaVolume(), 0.0f);
    springBoard_.shutDown();
  }
}

TEST_F(HostServicesTest, VolumesAreClampedAndTheHudShowsOnlyWhileNotSuppressed) {
  boot("14.4");
  auto mediaController = SBMediaController::sharedInstance();
  auto volumeControl = SBVolumeControl::sharedInstance();
  volumeControl->setVolume(-0.003f, "Audio/Video");
  EXPECT_EQ(device_.mediaVolume(), 0.0f);
  volumeControl->setVolume(1.5f, "Audio/Video");
  EXPECT_EQ(device_.mediaVolume(), 1.0f);
  EXPECT_EQ(mediaController->volumeHUDShowCount(), 2);

  mediaController->setSuppressHUD(true);
  volumeControl->setVolume(0.4f, "Audio/Video");
  volumeControl->setVolume(NAN, "Audio/Video");
  EXPECT_FLOAT_EQ(device_.mediaVolume(), 0.4f);
  EXPECT_EQ(mediaController->volumeHUDShowCount(), 2);
  mediaController->setSuppressHUD(false);
  mediaController->changeMediaVolume(0.5f);  // the hardware buttons
  EXPECT_EQ(mediaController->volumeHUDShowCount(), 3);
}

TEST_F(HostServicesTest, MediaControllerAnswersThePauseMessagesTheDeviceSays) {
  struct Case {
    Phone::PauseMessages messages;
    bool pause;
    bool pauseForEventSource;
  };
  for (Case c : {Case{Phone::PauseMessages::Both, true, true}, Case{Phone::PauseMessages::Pause, true, false},
                 Case{Phone::PauseMessages::PauseForEventSource, false, true},
                 Case{Phone::PauseMessages::Neither, false, false}}) {
    device_.setMediaControllerPauseMessages(c.messages);
    springBoard_.boot();
    auto mediaController = SBMediaController::sharedInstance();
    EXPECT_EQ(mediaController->respondsToSelector("pause"), c.pause);
    EXPECT_EQ(mediaController->respondsToSelector("pauseForEventSource:"), c.pauseForEventSource);
    springBoard_.shutDown();
  }
  device_.setMediaControllerPauseMessages(Phone::PauseMessages::PauseForEventSource);
  springBoard_.boot();
  device_.musicPlayer().setQueue({{"A", 60}});
  device_.musicPlayer().play();
  EXPECT_TRUE(SBMediaController::sharedInstance()->pauseForEventSource(0));
  EXPECT_FALSE(device_.musicPlayer().isPlaying());
  EXPECT_FALSE(SBMediaController::sharedInstance()->pauseForEventSource(0));
}

TEST_F(HostServicesTest, DoNotDisturbGoesThroughAssertionsFromTwelveOnAndTheGatewayBefore) {
  boot("11.4.1");
  EXPECT_EQ(DNDModeAssertionService::serviceForClientIdentifier("client"), nullptr);
  BBSettingsGateway::create()->setBehaviorOverrideStatus(1);
  EXPECT_TRUE(device_.isDoNotDisturbOn());
  springBoard_.shutDown();

  Phone device;
  SpringBoard springBoard(device);
  device.setSystemVersion("12.0");
  springBoard.boot();
  auto service =
      DNDModeAssertionService::serviceForClientIdentifier("com.apple.donotdisturb.control-center.module");
  ASSERT_NE(service, nullptr);
  auto sleep =
      DNDModeAssertionDetails::userRequestedAssertionDetailsWithIdentifier("client", "sleep-mode", nullptr);
  service->takeModeAssertionWithDetails(sleep, nullptr);
  EXPECT_FALSE(device.isDoNotDisturbOn());
  auto details = DNDModeAssertionDetails::userRequestedAssertionDetailsWithIdentifier(
      "com.apple.control-center.manual-toggle", "com.apple.donotdisturb.mode.default", nullptr);
  EXPECT_NE(service->takeModeAssertionWithDetails(details, nullptr), nullptr);
  EXPECT_TRUE(device.isDoNotDisturbOn());
  ASSERT_EQ(device.modeAssertions().size(), 2u);
  EXPECT_EQ(device.modeAssertions()[1].clientIdentifier, "com.apple.donotdisturb.control-center.module");
  EXPECT_EQ(device.modeAssertions()[1].identifier, "com.apple.control-center.manual-toggle");
}

TEST_F(HostServicesTest, BluetoothDisconnectsDevicesOneByOneOrAllWhenTurnedOff) {
  boot("14.4");
  device_.connectBluetoothDevice("AirPods");
  device_.connectBluetoothDevice("Car");
  device_.connectBluetoothDevice("AirPods");
  auto manager = BluetoothManager::sharedInstance();
  auto devices = manager->connectedDevices();
  ASSERT_EQ(devices.size(), 3u);
  manager->disconnectDevicePhysicalLink(devices[2].get());
  manager->disconnectDevicePhysicalLink(devices[2].get());
  ASSERT_EQ(device_.bluetoothConnections().size(), 2u);
  EXPECT_EQ(device_.bluetoothConnections()[0].name, "AirPods");
  EXPECT_EQ(device_.bluetoothConnections()[1].name, "Car");

  manager->setEnabled(false);
  EXPECT_TRUE(manager->connectedDevices().empty());
  EXPECT_FALSE(device_.connectBluetoothDevice("Car"));
}

TEST_F(HostServicesTest, RadiosBacklightAndServicesOutsideSpringBoard) {
  EXPECT_EQ(RadiosPreferences::create(), nullptr);
  EXPECT_EQ(SBBacklightController::sharedInstance(), nullptr);
  EXPECT_EQ(BluetoothManager::sharedInstance(), nullptr);
  boot("14.4");
  auto radios = RadiosPreferences::create();
  radios->setAirplaneMode(true);
  radios->synchronize();
  EXPECT_TRUE(device_.isAirplaneModeOn());
  auto backlight = SBBacklightController::sharedInstance();
  EXPECT_TRUE(backlight->screenIsOn());
  device_.setScreenOn(false);
  EXPECT_FALSE(backlight->screenIsOn());
}

}  // namespace
}  // namespace platform::springboard
