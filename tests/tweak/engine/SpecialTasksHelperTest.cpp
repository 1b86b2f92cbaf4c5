#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/NSRunLoop.h"
#include "platform/foundation/SystemLog.h"
#include "platform/springboard/SBMediaController.h"
#include "tests/tweak/core/TweakTest.h"
#include "tweak/engine/SpecialTasksHelper.h"

namespace lunadoze {
namespace {

using platform::foundation::NSRunLoop;
using platform::foundation::SystemLog;
using platform::springboard::Phone;
using platform::springboard::SBMediaController;

class SpecialTasksHelperTest : public TweakTest {
 protected:
  void SetUp() override {
    TweakTest::SetUp();
    // The one instance outlives a test when several run in one process: start from its defaults.
    helper_->setOnTimerEndsAirplane(false);
    helper_->setOnTimerEndsDND(false);
    helper_->setOnTimerEndsBluetooth(false);
    helper_->setOnTimerEndsBluetoothMode(0);
    helper_->setOnTimerEndsBluetoothDeviceName(std::nullopt);
    helper_->setOnTimerStartsAirplane(false);
    helper_->setOnTimerStartsDND(false);
    helper_->setOnTimerStartsCustomVolume(false);
    helper_->setOnTimerStartsCustomVolumeValue(0);
  }

  std::vector<std::string> connectedNames() const {
    std::vector<std::string> names;
    for (const auto& connection : device_.bluetoothConnections()) names.push_back(connection.name);
    return names;
  }

  std::shared_ptr<SpecialTasksHelper> helper_ = SpecialTasksHelper::getInstance();
};

TEST_F(SpecialTasksHelperTest, StartAndEndLogTheirLineAndDoNothingElseByDefault) {
  boot();
  device_.connectBluetoothDevice("AirPods");
  SystemLog::clear();
  helper_->performSpecialActionsOnTimerStart();
  helper_->performSpecialActionsOnTimerEnd();
  EXPECT_EQ(SystemLog::lines(), (std::vector<std::string>{"performSpecialActionsOnTimerStart",
                                                          "performSpecialActionsOnTimerEnd"}));
  EXPECT_FALSE(device_.isAirplaneModeOn());
  EXPECT_FALSE(device_.isDoNotDisturbOn());
  EXPECT_EQ(connectedNames(), std::vector<std::string>{"AirPods"});
  EXPECT_FLOAT_EQ(device_.mediaVolume(), Phone::kDefaultMediaVolume);
}

TEST_F(SpecialTasksHelperTest, AirplaneModeIsTurnedOnAtStartAndOnAgainAtEnd) {
  boot();
  helper_->setOnTimerStartsAirplane(true);
  helper_->setOnTimerEndsAirplane(true);
  helper_->performSpecialActionsOnTimerStart();
  EXPECT_TRUE(device_.isAirplaneModeOn());
  device_.setAirplaneMode(false);  // the person turns it off meanwhile
  helper_->performSpecialActionsOnTimerEnd();
  EXPECT_TRUE(device_.isAirplaneModeOn());
}

TEST_F(SpecialTasksHelperTest, DoNotDisturbTakesAManualAssertionFromTwelveOn) {
  boot("12.0");
  helper_->setOnTimerStartsDND(true);
  helper_->performSpecialActionsOnTimerStart();
  EXPECT_TRUE(device_.isDoNotDisturbOn());
  ASSERT_EQ(device_.modeAssertions().size(), 1u);
  const Phone::ModeAssertion& assertion = device_.modeAssertions()[0];
  EXPECT_EQ(assertion.clientIdentifier, "com.apple.donotdisturb.control-center.module");
  EXPECT_EQ(assertion.identifier, "com.apple.control-center.manual-toggle");
  EXPECT_EQ(assertion.modeIdentifier, "com.apple.donotdisturb.mode.default");
  EXPECT_EQ(device_.behaviorOverrideStatus(), 0);
}

TEST_F(SpecialTasksHelperTest, DoNotDisturbFallsBackToTheBulletinBoardBeforeTwelve) {
  boot("11.4.1");
  helper_->setOnTimerEndsDND(true);
  helper_->performSpecialActionsOnTimerEnd();
  EXPECT_TRUE(device_.isDoNotDisturbOn());
  EXPECT_EQ(device_.behaviorOverrideStatus(), 1);
}

TEST_F(SpecialTasksHelperTest, BluetoothEndActionFollowsItsMode) {
  struct Case {
    int64_t mode;
    std::optional<std::string> name;
    std::vector<std::string> connectedAfter;
    bool poweredAfter;
  };
  const std::vector<Case> cases = {
      {0, "Car", {}, true},           // every device, whatever the name
      {1, "AirPods", {"Car"}, true},  // every device of that name
      {1, std::nullopt, {}, true},    // no name: every device
      {1, "Headphones", {"AirPods", "Car", "AirPods"}, true},
      {2, std::nullopt, {}, false},
      {3, std::nullopt, {"AirPods", "Car", "AirPods"}, true},  // no such mode: nothing
      {-1, std::nullopt, {"AirPods", "Car", "AirPods"}, true},
  };
  boot();
  helper_->setOnTimerEndsBluetooth(true);
  for (const Case& c : cases) {
    SCOPED_TRACE("mode " + std::to_string(c.mode) + " name " + c.name.value_or("nil"));
    device_.setBluetoothPowered(true);
    for (const char* name : {"AirPods", "Car", "AirPods"}) device_.connectBluetoothDevice(name);
    helper_->setOnTimerEndsBluetoothMode(c.mode);
    helper_->setOnTimerEndsBluetoothDeviceName(c.name);
    helper_->performSpecialActionsOnTimerEnd();
    EXPECT_EQ(connectedNames(), c.connectedAfter);
    EXPECT_EQ(device_.isBluetoothPowered(), c.poweredAfter);
    device_.setBluetoothPowered(false);
  }
}

TEST_F(SpecialTasksHelperTest, BluetoothIsLeftAloneWhenItsEndActionIsOff) {
  boot();
  device_.connectBluetoothDevice("AirPods");
  helper_->setOnTimerEndsBluetoothMode(2);
  helper_->performSpecialActionsOnTimerEnd();
  EXPECT_TRUE(device_.isBluetoothPowered());
  EXPECT_EQ(connectedNames(), std::vector<std::string>{"AirPods"});
}

TEST_F(SpecialTasksHelperTest, CustomVolumeIsAPercentClampedIntoRange) {
  boot();
  helper_->setOnTimerStartsCustomVolume(true);
  for (auto [percent, volume] :
       {std::pair<int64_t, float>{0, 0.0f}, {100, 1.0f}, {15, 0.15f}, {250, 1.0f}, {-20, 0.0f}}) {
    device_.setMediaVolume(0.5f);
    helper_->setOnTimerStartsCustomVolumeValue(percent);
    helper_->performSpecialActionsOnTimerStart();
    EXPECT_FLOAT_EQ(device_.mediaVolume(), volume) << percent << "%";
  }
}

TEST_F(SpecialTasksHelperTest, CustomVolumeShowsNoHudAndLiftsTheSuppressionAfterAThirdOfASecond) {
  boot();
  auto mediaController = SBMediaController::sharedInstance();
  helper_->setOnTimerStartsCustomVolume(true);
  helper_->setOnTimerStartsCustomVolumeValue(30);
  helper_->performSpecialActionsOnTimerStart();
  EXPECT_FLOAT_EQ(device_.mediaVolume(), 0.3f);
  EXPECT_EQ(mediaController->volumeHUDShowCount(), 0);
  NSRunLoop::mainRunLoop().advance(0.299);
  EXPECT_TRUE(mediaController->isHUDSuppressed());
  NSRunLoop::mainRunLoop().advance(0.001);
  EXPECT_FALSE(mediaController->isHUDSuppressed());
}

TEST_F(SpecialTasksHelperTest, VolumeGoesThroughTheServiceOfTheSystemVersion) {
  // 11.4.1 and 12.4 have the media controller's volume and no volume control; 13.0 on, the
  // other way round. A wrong choice finds nil, or a selector the controller does not answer.
  for (const char* version : {"11.4.1", "12.4", "13.0", "14.4"}) {
    SCOPED_TRACE(version);
    boot(version);
    device_.setMediaVolume(0.5f);
    EXPECT_DOUBLE_EQ(helper_->getVolume(), 0.5);
    helper_->setVolume(0.75);
    EXPECT_FLOAT_EQ(device_.mediaVolume(), 0.75f);
    helper_->changeVolumeBy(-0.25);
    EXPECT_FLOAT_EQ(device_.mediaVolume(), 0.5f);
    helper_->changeVolumeBy(-0.7);  // unclamped here; the host clamps
    EXPECT_EQ(device_.mediaVolume(), 0.0f);
    springBoard_.shutDown();
  }
}

}  // namespace
}  // namespace lunadoze
