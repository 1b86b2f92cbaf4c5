// The Settings app as a process of its own beside a running SpringBoard: what it changes reaches
// the tweak only through the settings domain and its notification.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/settings/HBPreferences.h"
#include "platform/springboard/simulation/Phone.h"
#include "platform/springboard/simulation/SpringBoard.h"
#include "sim/CommandError.h"
#include "sim/settings/SettingsProcess.h"
#include "tests/platform/foundation/TemporaryDirectory.h"
#include "tests/platform/settings/BlockedSettingsWrites.h"
#include "tweak/core/Settings.h"
#include "tweak/engine/SpecialTasksHelper.h"
#include "tweak/wiring/Tweak.h"

namespace lunadoze::prefs {
namespace {

namespace fs = std::filesystem;
using platform::foundation::NSRunLoop;
using platform::foundation::PropertyList;

// What the row of the key shows in lines printed by "show".
std::string shownValue(const std::vector<std::string>& lines, const std::string& key) {
  for (const auto& line : lines) {
    size_t at = line.find(" " + key + " = ");
    if (at != std::string::npos) return line.substr(at + key.size() + 4);
  }
  return "no row for " + key;
}

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
  platform::springboard::Phone phone;
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

TEST_F(SettingsAppTest, ResetInTheSettingsAppPutsSpringBoardBackOnEveryDefault) {
  auto helper = SpecialTasksHelper::getInstance();
  set("volumeFadeOutTime", "30");
  set("enabledModes", "2");
  set("onTimerEndsDND", "on");
  set("hideMoonIconInCC", "on");
  ASSERT_TRUE(helper->onTimerEndsDND());
  ASSERT_EQ(enabledModes, 2);

  settingsApp->run("tap \"Reset all settings\"");
  EXPECT_EQ(settingsApp->run("show").back(), "alert \"Reset all settings\": \"Cancel\", \"Reset\"");
  // The alert takes every touch until it is answered.
  EXPECT_THROW(settingsApp->run("set enabledModes 1"), sim::CommandError);
  settingsApp->run("alert Reset");
  NSRunLoop::mainRunLoop().runDueEvents();

  for (const char* key : {"enabledModes", "onTimerEndsDND", "volumeFadeOutTime", "hideMoonIconInCC"}) {
    EXPECT_EQ(stored(key), std::nullopt) << key;
  }
  EXPECT_EQ(enabledModes, 0);
  EXPECT_EQ(volumeFadeOutTime, 15);
  EXPECT_FALSE(hideMoonIconInCC);
  // The change block ran: the timer actions follow the domain too.
  EXPECT_FALSE(helper->onTimerEndsDND());
  // The page in front shows the defaults, nothing greyed.
  EXPECT_EQ(settingsApp->run("show").at(3), "1.2 timerDefaultValue = 1");
  EXPECT_THROW(settingsApp->run("alert Reset"), sim::CommandError);
}

TEST_F(SettingsAppTest, TheRootPageListsTenSectionsWithTheirDependentRowsGreyed) {
  set("showConfirmationViewAfterTimerSetEnabled", "off");
  set("letTheSongFinishEnabled", "on");
  auto rows = settingsApp->run("show");
  std::set<int> sections;
  for (const auto& row : rows) sections.insert(std::stoi(row));
  EXPECT_GE(sections.size(), 10u);
  EXPECT_EQ(*sections.rbegin(), static_cast<int>(sections.size()) - 1);
  auto rowAt = [&rows](const std::string& position) {
    auto found =
        std::ranges::find_if(rows, [&](const std::string& row) { return row.starts_with(position + " "); });
    return found != rows.end() ? *found : "";
  };
  EXPECT_EQ(rowAt("1.4"), "1.4 volumeFadeOutTime = 15 (greyed)");
  EXPECT_EQ(rowAt("3.3"), "3.3 confirmViewAutoDismissTime = 1.5 (greyed)");
  EXPECT_TRUE(rowAt("3.4").ends_with("(greyed)")) << rowAt("3.4");
  EXPECT_EQ(rowAt("3.2"), "3.2 showConfirmationViewAfterTimerSetEnabled = off");
  for (const auto& row : rows) EXPECT_EQ(row.find("volumeFadeOutEnabled"), std::string::npos) << row;
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

TEST_F(SettingsAppTest, ThePaneShowsStoredNumbersOutOfItsRangeAsTheTweakActsOnThem) {
  auto domain = platform::settings::HBPreferences::initWithIdentifier(kPreferencesIdentifier);
  domain->setFloat(1e308, "volumeFadeOutTime");
  domain->setInteger(1000, "timerDefaultValue");
  domain->setObject(PropertyList("1e308"), "onTimerStartsCustomVolumeValue");
  domain->setFloat(std::numeric_limits<double>::infinity(), "nbSongsDefaultValue");
  domain->synchronize();
  NSRunLoop::mainRunLoop().runDueEvents();
  settingsApp = std::make_unique<sim::SettingsProcess>(device.path());  // opened afresh: its rows read now

  auto root = settingsApp->run("show");
  EXPECT_EQ(shownValue(root, "volumeFadeOutTime"), std::to_string(volumeFadeOutTime));
  EXPECT_EQ(shownValue(root, "timerDefaultValue"), std::to_string(timerDefaultValue));
  EXPECT_EQ(shownValue(root, "nbSongsDefaultValue"), std::to_string(nbSongsDefaultValue));
  EXPECT_EQ(volumeFadeOutTime, 60);
  EXPECT_EQ(timerDefaultValue, 180);
  EXPECT_EQ(nbSongsDefaultValue, 1);
  EXPECT_EQ(shownValue(settingsApp->run("show TimerStartActions"), "onTimerStartsCustomVolumeValue"), "100");
  EXPECT_EQ(SpecialTasksHelper::getInstance()->onTimerStartsCustomVolumeValue(), 100);
}

TEST_F(SettingsAppTest, AChangeThePaneCannotStoreIsRefusedAndSpringBoardKeepsTheStoredValue) {
  set("volumeFadeOutTime", "20");
  platform::settings::blockSettingsWrites(device.path());
  try {
    settingsApp->run("set volumeFadeOutTime 30");
    FAIL() << "a write that failed was reported as done";
  } catch (const sim::CommandError& error) {
    EXPECT_EQ(
        std::string(error.what()),
        "volumeFadeOutTime is not changed: Setting Not Saved: \u201CFade-out length (seconds)\u201D could "
        "not be written to the device\u2019s storage. It keeps its previous value.");
  }
  NSRunLoop::mainRunLoop().runDueEvents();
  EXPECT_EQ(volumeFadeOutTime, 20);
  EXPECT_EQ(shownValue(settingsApp->run("show"), "volumeFadeOutTime"), "20");
}

// lunadoze-settings run once with the arguments as given: its exit status and what it printed.
std::pair<int, std::string> runSettings(const std::vector<std::string>& arguments) {
  int output[2];
  if (pipe(output) != 0) return {-1, ""};
  pid_t child = fork();
  if (child == 0) {
    dup2(output[1], STDOUT_FILENO);
    dup2(output[1], STDERR_FILENO);
    close(output[0]);
    std::vector<char*> argv;
    std::string program = sim::SettingsProcess::defaultProgram().string();
    argv.push_back(program.data());
    for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(output[1]);
  std::string printed;
  char buffer[512];
  for (ssize_t count = 0; (count = read(output[0], buffer, sizeof buffer)) > 0;)
    printed.append(buffer, count);
  close(output[0]);
  int status = 0;
  waitpid(child, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, printed};
}

TEST(SettingsProgramTest, ASetThatStoresNothingExitsWithTwoAndTheReason) {
  platform::foundation::TemporaryDirectory device;
  const std::string root = device.path().string();
  ASSERT_EQ(runSettings({"--root", root, "show"}).first, 0);  // stages the device

  auto [status, printed] = runSettings({"--root", root, "set", "onTimerEndsBluetoothDeviceName", "Car\xFF"});
  EXPECT_EQ(status, 2);
  EXPECT_NE(printed.find("onTimerEndsBluetoothDeviceName takes UTF-8 text, and the value given is not"),
            std::string::npos)
      << printed;
  std::tie(status, printed) =
      runSettings({"--root", root, "set", "volumeFadeOutTime", std::string(400, '9')});
  EXPECT_EQ(status, 2);
  EXPECT_NE(printed.find("volumeFadeOutTime takes a number from 0 to 60 in steps of 1"), std::string::npos)
      << printed;

  platform::settings::blockSettingsWrites(device.path());
  std::tie(status, printed) = runSettings({"--root", root, "set", "hideMoonIconInCC", "on"});
  EXPECT_EQ(status, 2);
  EXPECT_NE(printed.find("hideMoonIconInCC is not changed: Setting Not Saved"), std::string::npos) << printed;
  EXPECT_EQ(printed.find("ok"), std::string::npos);
}

}  // namespace
}  // namespace lunadoze::prefs
