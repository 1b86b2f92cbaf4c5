// The Settings app as a process of its own beside a running SpringBoard: what it changes reaches
// the tweak only through the settings domain and its notification.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/settings/HBPreferences.h"
#include "platform/springboard/Device.h"
#include "platform/springboard/SpringBoard.h"
#include "sim/CommandError.h"
#include "sim/settings/SettingsProcess.h"
#include "tests/platform/foundation/TemporaryDirectory.h"
#include "tweak/core/Settings.h"
#include "tweak/core/Tweak.h"
#include "tweak/engine/SpecialTasksHelper.h"

namespace lunadoze::prefs {
namespace {

namespace fs = std::filesystem;
using platform::foundation::NSRunLoop;
using platform::foundation::PropertyList;

class SettingsAppTest : public ::testing::Test {
 protected:
  // The preferences bundle and its Settings entry are installed; the tweak runs in this process,
  // loaded by calling its entry point inside the booted SpringBoard.
  void SetUp() override {
    for (const char* installed : {"Library/PreferenceBundles", "Library/PreferenceLoader"}) {
      fs::create_directories(device.path() / installed);
      fs::copy(fs::path(LUNADOZE_STAGE_DIR) / installed, device.path() / installed,
               fs::copy_options::recursive);
    }
    platform::foundation::DeviceFileSystem::setRoot(device.path());
    springBoard.boot();
    tweakEntryPoint();
    settingsApp = std::make_unique<sim::SettingsProcess>(device.path());
  }

  // The app has answered, so its notification has arrived: SpringBoard's run loop takes it.
  void set(const std::string& key, const std::string& value) {
    settingsApp->run("set " + key + " " + value);
    NSRunLoop::mainRunLoop().runDueEvents();
  }

  std::optional<PropertyList> stored(const std::string& key) {
    return platform::settings::HBPreferences::initWithIdentifier(kPreferencesIdentifier)->objectForKey(key);
  }

  platform::foundation::TemporaryDirectory device;
  platform::springboard::Device phone;
  platform::springboard::SpringBoard springBoard{phone};
  std::unique_ptr<sim::SettingsProcess> settingsApp;
};

TEST_F(SettingsAppTest, AChangeInTheSettingsAppReachesTheBoundVariablesAndTheTimerActions) {
  auto helper = SpecialTasksHelper::getInstance();
  set("onTimerEndsDND", "on");
  EXPECT_TRUE(onTimerEndsDND);
  EXPECT_TRUE(helper->onTimerEndsDND());

  set("onTimerStartsCustomVolume", "on");
  set("onTimerStartsCustomVolumeValue", "40");
  EXPECT_EQ(onTimerStartsCustomVolumeValue, 40);
  EXPECT_EQ(helper->onTimerStartsCustomVolumeValue(), 40);

  set("onTimerEndsBluetoothDeviceName", "\"Car Kit\"");
  EXPECT_EQ(helper->onTimerEndsBluetoothDeviceName(), "Car Kit");

  set("volumeFadeOutTime", "30");
  EXPECT_EQ(volumeFadeOutTime, 30);
}

TEST_F(SettingsAppTest, TheAppRemembersItsPageAndRefusesWhatARowCannotTake) {
  EXPECT_THROW(settingsApp->run("respring"), sim::CommandError);
  set("enabled", "off");
  EXPECT_NO_THROW(settingsApp->run("respring"));

  set("onTimerEndsBluetooth", "off");
  try {
    settingsApp->run("set onTimerEndsBluetoothMode 1");
    FAIL() << "a greyed row was changed";
  } catch (const sim::CommandError& error) {
    EXPECT_STREQ(error.what(), "onTimerEndsBluetoothMode is greyed out: its setting has no effect now");
  }
  EXPECT_THROW(settingsApp->run("set enabledModes 3"), sim::CommandError);
  EXPECT_THROW(settingsApp->run("set timerDefaultValue soon"), sim::CommandError);
  EXPECT_THROW(settingsApp->run("set noSuchKey on"), sim::CommandError);
  EXPECT_EQ(stored("onTimerEndsBluetoothMode"), std::nullopt);
  EXPECT_EQ(stored("enabledModes"), std::nullopt);
  EXPECT_EQ(stored("timerDefaultValue"), std::nullopt);

  // The page in front stays: turning the switch on again lights the name whatever the mode,
  // until a new page reads the mode.
  set("onTimerEndsBluetooth", "on");
  set("onTimerEndsBluetoothMode", "2");
  EXPECT_THROW(settingsApp->run("set onTimerEndsBluetoothDeviceName Car"), sim::CommandError);
  set("onTimerEndsBluetooth", "on");
  set("onTimerEndsBluetoothDeviceName", "Car");
  EXPECT_EQ(stored("onTimerEndsBluetoothDeviceName"), PropertyList("Car"));

  set("enabledModes", "2");
  auto rows = settingsApp->run("show");
  EXPECT_EQ(rows.at(3), "1.2 timerDefaultValue = 1 (greyed)");
  EXPECT_EQ(settingsApp->run("show TimerEndActions").back(),
            "3.2 onTimerEndsBluetoothDeviceName = \"Car\" (greyed)");
}

TEST(SettingsProcessTest, AnAppThatCannotLoadThePaneSaysWhyAtEveryCommand) {
  platform::foundation::TemporaryDirectory device;
  fs::create_directories(device.path() / "Library");
  sim::SettingsProcess settingsApp(device.path());
  for (const char* command : {"show", "set enabled off"}) {
    try {
      settingsApp.run(command);
      FAIL() << "an app without its pane did " << command;
    } catch (const sim::CommandError& error) {
      EXPECT_STREQ(error.what(), "no Settings entry \"Lunadoze\" in /Library/PreferenceLoader/Preferences");
    }
  }
}

}  // namespace
}  // namespace lunadoze::prefs
