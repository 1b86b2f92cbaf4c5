#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <limits>
#include <sstream>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/settings/HBPreferences.h"
#include "tests/platform/foundation/TemporaryDirectory.h"
#include "tests/platform/settings/BlockedSettingsWrites.h"
#include "tests/platform/springboard/FreshProcessState.h"
#include "tweak/core/PreferencesIdentifier.h"

namespace platform::settings {
namespace {

using foundation::NSRunLoop;
using foundation::PropertyList;

const std::string kDomain = lunadoze::kPreferencesIdentifier;

// Runs the body in a child process; true when it ran to its end and returned true.
template <typename Body>
pid_t spawn(Body body) {
  pid_t child = fork();
  if (child == 0) _exit(body() ? 0 : 1);
  return child;
}

bool succeeded(pid_t child) {
  int status = 0;
  return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class HBPreferencesTest : public ::testing::Test {
 protected:
  springboard::FreshProcessState freshProcess_;

  void SetUp() override { foundation::DeviceFileSystem::setRoot(device.path()); }

  std::filesystem::path file(const std::string& suffix = "") const {
    return device.path() / ("var/mobile/Library/Preferences/" + kDomain + ".plist" + suffix);
  }
  void store(const std::string& bytes) const {
    std::filesystem::create_directories(file().parent_path());
    std::ofstream(file(), std::ios::binary) << bytes;
  }
  std::string contents(const std::filesystem::path& path) const {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
  }
  PropertyList::Dictionary onDisk() const {
    auto stored = PropertyList::readFile(file());
    return stored && stored->isDictionary() ? *stored->dictionary() : PropertyList::Dictionary{};
  }

  foundation::TemporaryDirectory device;
};

TEST_F(HBPreferencesTest, EmptyDomainReadsEveryDefault) {
  auto preferences = HBPreferences::initWithIdentifier(kDomain);
  bool enabled = false;
  int64_t volumeFadeOutTime = 0;
  double confirmViewAutoDismissTime = 0;
  std::optional<std::string> deviceName = "stale";
  preferences->registerBool(&enabled, true, "enabled");
  preferences->registerInteger(&volumeFadeOutTime, 15, "volumeFadeOutTime");
  preferences->registerFloat(&confirmViewAutoDismissTime, 1.5, "confirmViewAutoDismissTime");
  preferences->registerObject(&deviceName, std::nullopt, "onTimerEndsBluetoothDeviceName");

  EXPECT_TRUE(enabled);
  EXPECT_EQ(volumeFadeOutTime, 15);
  EXPECT_EQ(confirmViewAutoDismissTime, 1.5);
  EXPECT_EQ(deviceName, std::nullopt);
  EXPECT_TRUE(preferences->boolForKey("enabled"));
  EXPECT_FALSE(preferences->boolForKey("onTimerEndsDND"));  // neither stored nor registered
  EXPECT_EQ(preferences->objectForKey("volumeFadeOutTime"), PropertyList(15));
  EXPECT_EQ((*preferences)["customizedApps"], std::nullopt);
  EXPECT_FALSE(std::filesystem::exists(file()));  // reading writes nothing
}

TEST_F(HBPreferencesTest, StoredValuesOfAnotherKindReadAsFoundationReadsThem) {
  store(PropertyList(PropertyList::Dictionary{
                         {"enabled", "NO"},
                         {"letTheSongFinishEnabled", "YES"},
                         {"volumeFadeOutTime", "42 seconds"},
                         {"timerMinutesSteps", 7.9},
                         {"confirmViewAutoDismissTime", int64_t{3}},
                         {"showIndicatorOnNC", PropertyList::fromData({1})},
                         {"enabledModes", PropertyList::Array{2}},
                         {"onTimerEndsBluetoothDeviceName", 12},
                     })
            .toXml());
  auto preferences = HBPreferences::initWithIdentifier(kDomain);
  bool enabled = true;
  bool letTheSongFinishEnabled = false;
  bool showIndicatorOnNC = false;
  int64_t volumeFadeOutTime = 0;
  int64_t timerMinutesSteps = 0;
  int64_t enabledModes = -1;
  double confirmViewAutoDismissTime = 0;
  std::optional<std::string> deviceName;
  preferences->registerBool(&enabled, true, "enabled");
  preferences->registerBool(&letTheSongFinishEnabled, false, "letTheSongFinishEnabled");
  preferences->registerBool(&showIndicatorOnNC, true, "showIndicatorOnNC");
  preferences->registerInteger(&volumeFadeOutTime, 15, "volumeFadeOutTime");
  preferences->registerInteger(&timerMinutesSteps, 5, "timerMinutesSteps");
  preferences->registerInteger(&enabledModes, 0, "enabledModes");
  preferences->registerFloat(&confirmViewAutoDismissTime, 1.5, "confirmViewAutoDismissTime");
  preferences->registerObject(&deviceName, "AirPods", "onTimerEndsBluetoothDeviceName");

  EXPECT_FALSE(enabled);
  EXPECT_TRUE(letTheSongFinishEnabled);
  EXPECT_TRUE(showIndicatorOnNC);  // data has no reading: the default
  EXPECT_EQ(volumeFadeOutTime, 42);
  EXPECT_EQ(timerMinutesSteps, 7);
  EXPECT_EQ(enabledModes, 0);  // an array: the default
  EXPECT_EQ(confirmViewAutoDismissTime, 3.0);
  EXPECT_EQ(deviceName, "AirPods");  // a number is no name: the default
  EXPECT_EQ(preferences->objectForKey("enabledModes"), PropertyList(PropertyList::Array{2}));
}

TEST_F(HBPreferencesTest, UnreadableFileReadsAsDefaultsAndIsKeptAsideOnTheNextWrite) {
  std::string xml = PropertyList(PropertyList::Dictionary{{"onTimerEndsDND", true}}).toXml();
  std::vector<std::string> unreadable = {"", xml.substr(0, xml.size() - 20), "garbage",
                                         PropertyList(PropertyList::Array{true}).toXml()};
  for (size_t i = 0; i < unreadable.size(); ++i) {
    SCOPED_TRACE(i);
    store(unreadable[i]);
    auto preferences = HBPreferences::initWithIdentifier(kDomain);
    bool dnd = true;
    preferences->registerBool(&dnd, false, "onTimerEndsDND");
    EXPECT_FALSE(dnd);

    preferences->setBool(true, "onTimerEndsAirplane");
    EXPECT_TRUE(preferences->synchronize());
    EXPECT_EQ(contents(file(".corrupt-" + std::to_string(i + 1))), unreadable[i]);
    EXPECT_EQ(onDisk(), (PropertyList::Dictionary{{"onTimerEndsAirplane", true}}));
    std::filesystem::remove(file());
  }
}

TEST_F(HBPreferencesTest, ObjectsOfOneDomainSeeEachOthersWritesAtOnce) {
  auto pane = HBPreferences::initWithIdentifier(kDomain);
  auto panel = HBPreferences::initWithIdentifier(kDomain);
  pane->setObject(PropertyList(2), "enabledModes");
  panel->setBool(true, "onTimerStartsDND");
  EXPECT_EQ(panel->integerForKey("enabledModes"), 2);
  EXPECT_TRUE(pane->boolForKey("onTimerStartsDND"));

  pane->setObject(std::nullopt, "enabledModes");
  EXPECT_EQ(panel->objectForKey("enabledModes"), std::nullopt);
  EXPECT_EQ(onDisk(), (PropertyList::Dictionary{{"onTimerStartsDND", true}}));
}

TEST_F(HBPreferencesTest, TwoWriterProcessesLoseNothingAndNeverLeaveATornFile) {
  constexpr int kWrites = 50;
  auto writer = [](const char* prefix) {
    return [prefix] {
      auto preferences = HBPreferences::initWithIdentifier(kDomain);
      for (int i = 0; i < kWrites; ++i) preferences->setInteger(i, prefix + std::to_string(i));
      return preferences->synchronize();
    };
  };
  pid_t pane = spawn(writer("pane"));
  pid_t panel = spawn(writer("panel"));

  // Whatever moment a reader picks, the file is whole.
  for (int read = 0; read < 2000; ++read) {
    if (!std::filesystem::exists(file())) continue;
    auto stored = PropertyList::readFile(file());
    EXPECT_TRUE(stored) << "read " << read << ": " << stored.error();
    if (!stored) break;
  }
  EXPECT_TRUE(succeeded(pane));
  EXPECT_TRUE(succeeded(panel));

  auto preferences = HBPreferences::initWithIdentifier(kDomain);
  for (int i = 0; i < kWrites; ++i) {
    EXPECT_EQ(preferences->integerForKey("pane" + std::to_string(i)), i);
    EXPECT_EQ(preferences->integerForKey("panel" + std::to_string(i)), i);
  }
}

TEST_F(HBPreferencesTest, AnotherProcessesWriteReachesBoundVariablesThenChangeBlocksOnTheRunLoop) {
  auto preferences = HBPreferences::initWithIdentifier(kDomain);
  bool hideMoonIconInCC = false;
  preferences->registerBool(&hideMoonIconInCC, false, "hideMoonIconInCC");
  std::vector<bool> seenByBlock;
  preferences->registerPreferenceChangeBlock([&] { seenByBlock.push_back(hideMoonIconInCC); });
  EXPECT_TRUE(seenByBlock.empty());  // not run at registration

  ASSERT_TRUE(succeeded(spawn([] {
    auto pane = HBPreferences::initWithIdentifier(kDomain);
    pane->setObject(PropertyList(true), "hideMoonIconInCC");
    return pane->synchronize();
  })));
  EXPECT_TRUE(seenByBlock.empty());
  NSRunLoop::mainRunLoop().runDueEvents();
  EXPECT_TRUE(hideMoonIconInCC);
  EXPECT_EQ(seenByBlock, std::vector<bool>{true});
}

TEST_F(HBPreferencesTest, OwnSynchronizeRunsTheChangeBlocksOfEveryObjectButNoLongerOfAGoneOne) {
  auto springBoard = HBPreferences::initWithIdentifier(kDomain);
  int springBoardRuns = 0;
  springBoard->registerPreferenceChangeBlock([&] { ++springBoardRuns; });
  auto gone = HBPreferences::initWithIdentifier(kDomain);
  int goneRuns = 0;
  gone->registerPreferenceChangeBlock([&] { ++goneRuns; });
  gone.reset();

  auto panel = HBPreferences::initWithIdentifier(kDomain);
  panel->setBool(true, "onTimerEndsDND");
  EXPECT_TRUE(panel->synchronize());
  NSRunLoop::mainRunLoop().runDueEvents();
  EXPECT_EQ(springBoardRuns, 1);
  EXPECT_EQ(goneRuns, 0);
}

TEST_F(HBPreferencesTest, DomainOutsideTheDeviceIsRefusedAndTheWriteReportedAsFailed) {
  auto preferences = HBPreferences::initWithIdentifier("../../../../../../outside");
  preferences->setBool(true, "enabled");
  EXPECT_TRUE(preferences->boolForKey("enabled"));  // still holds in this process
  EXPECT_FALSE(preferences->synchronize());
  EXPECT_FALSE(std::filesystem::exists(device.path().parent_path() / "outside.plist"));
}

TEST_F(HBPreferencesTest, AFailedWriteIsReportedAndDroppedSoThatNoReaderActsOnIt) {
  store(PropertyList(PropertyList::Dictionary{{"onTimerEndsDND", true}}).toXml());
  auto springBoard = HBPreferences::initWithIdentifier(kDomain);
  bool dnd = false;
  springBoard->registerBool(&dnd, false, "onTimerEndsDND");
  std::vector<bool> seenByBlock;
  springBoard->registerPreferenceChangeBlock([&] { seenByBlock.push_back(dnd); });
  const std::string before = contents(file());
  auto blocker = blockSettingsWrites(device.path());

  auto panel = HBPreferences::initWithIdentifier(kDomain);
  panel->setBool(false, "onTimerEndsDND");
  panel->setBool(true, "onTimerEndsAirplane");
  EXPECT_FALSE(panel->synchronize());
  EXPECT_TRUE(panel->boolForKey("onTimerEndsDND"));
  EXPECT_FALSE(panel->boolForKey("onTimerEndsAirplane"));
  NSRunLoop::mainRunLoop().runDueEvents();
  EXPECT_EQ(seenByBlock, std::vector<bool>{true});
  EXPECT_EQ(contents(file()), before);

  // Once the path is free again, the next write is whole and reported as such.
  std::filesystem::remove_all(blocker);
  panel->setBool(false, "onTimerEndsDND");
  EXPECT_TRUE(panel->synchronize());
  EXPECT_EQ(onDisk(), (PropertyList::Dictionary{{"onTimerEndsDND", false}}));
}

TEST_F(HBPreferencesTest, AnIntegerWithARangeReadsEveryStoredValueIntoIt) {
  const SettingRange percent(0, 100, 1);
  const std::pair<PropertyList, int64_t> cases[] = {
      {PropertyList(40), 40},
      {PropertyList(int64_t{1} << 40), 100},
      {PropertyList(-5), 0},
      {PropertyList(1e308), 100},
      {PropertyList(0.5), 1},  // as the pane's slider shows it
      {PropertyList(49.4), 49},
      {PropertyList("1e308"), 100},
      {PropertyList("42 percent"), 42},
      {PropertyList(std::numeric_limits<double>::infinity()), 15},
      {PropertyList(-std::numeric_limits<double>::infinity()), 15},
      {PropertyList(std::numeric_limits<double>::quiet_NaN()), 15},
      {PropertyList("nan"), 15},
      {PropertyList::fromData({1}), 15},
  };
  for (const auto& [stored, expected] : cases) {
    SCOPED_TRACE(testing::PrintToString(stored));
    store(PropertyList(PropertyList::Dictionary{{"onTimerStartsCustomVolumeValue", stored}}).toXml());
    auto preferences = HBPreferences::initWithIdentifier(kDomain);
    int64_t volume = -1;
    preferences->registerInteger(&volume, 15, "onTimerStartsCustomVolumeValue", percent);
    EXPECT_EQ(volume, expected);
    EXPECT_EQ(preferences->integerForKey("onTimerStartsCustomVolumeValue"), expected);
  }
}

TEST(SettingRangeTest, StepsCountFromTheMinimumAndNeverPassTheMaximum) {
  const SettingRange halves(0.5, 5, 0.5);
  EXPECT_EQ(halves.read(PropertyList(1.3)), 1.5);
  EXPECT_EQ(halves.read(PropertyList(0.0)), 0.5);
  const SettingRange thirds(0, 10, 3);
  EXPECT_EQ(thirds.read(PropertyList(10)), 9);
  EXPECT_EQ(thirds.read(PropertyList(4)), 3);
  const SettingRange free(0, 1);
  EXPECT_EQ(free.read(PropertyList(0.25)), 0.25);
  EXPECT_EQ(free.read(PropertyList(PropertyList::Array{})), std::nullopt);
}

}  // namespace
}  // namespace platform::settings
