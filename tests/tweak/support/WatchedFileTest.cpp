#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/foundation/DispatchSource.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/foundation/PropertyList.h"
#include "tests/platform/foundation/TemporaryDirectory.h"
#include "tests/platform/springboard/FreshProcessState.h"
#include "tweak/support/WatchedFile.h"

namespace lunadoze {
namespace {

namespace fs = std::filesystem;
using platform::foundation::DeviceFileSystem;
using platform::foundation::NSRunLoop;
using platform::foundation::PropertyList;

class WatchedFileTest : public ::testing::Test {
 protected:
  void SetUp() override { DeviceFileSystem::setRoot(device.path()); }
  void TearDown() override { platform::foundation::dispatch_vnode_set_watch_limit(0); }

  fs::path host(const std::string& devicePath) const { return device.path() / devicePath.substr(1); }
  void writeSettings(const std::string& devicePath, bool enabled) {
    fs::create_directories(host(devicePath).parent_path());
    std::ofstream(host(devicePath)) << PropertyList(PropertyList::Dictionary{{"Enabled", enabled}}).toXml();
  }
  // An empty file, as a package's installation record may be.
  void touch(const std::string& devicePath) const { std::ofstream created(host(devicePath)); }
  static std::optional<bool> enabledIn(WatchedFile& file) {
    const auto& dictionary = file.dictionary();
    if (!dictionary) return std::nullopt;
    return dictionary->at("Enabled").boolValue();
  }
  static void takeEvents() { NSRunLoop::mainRunLoop().runDueEvents(); }

  platform::springboard::FreshProcessState freshProcess_;
  platform::foundation::TemporaryDirectory device;
  const std::string settingsPath = "/var/mobile/Library/Preferences/com.example.plist";
  const std::string recordPath = "/var/lib/dpkg/info/com.example.list";
};

TEST_F(WatchedFileTest, KeepsWhatTheFileSaidUntilTheRunLoopTakesTheChange) {
  writeSettings(settingsPath, true);
  WatchedFile settings(settingsPath);
  EXPECT_EQ(enabledIn(settings), true);
  writeSettings(settingsPath, false);  // written in place
  EXPECT_EQ(enabledIn(settings), true) << "the change has not been taken yet";
  takeEvents();
  EXPECT_EQ(enabledIn(settings), false);
}

TEST_F(WatchedFileTest, FollowsCreationRenameOverAndRemoval) {
  fs::create_directories(host(settingsPath).parent_path());
  WatchedFile settings(settingsPath);
  EXPECT_FALSE(settings.exists());
  EXPECT_EQ(enabledIn(settings), std::nullopt);

  writeSettings(settingsPath, true);
  takeEvents();
  EXPECT_TRUE(settings.exists());
  EXPECT_EQ(enabledIn(settings), true);

  // Replaced whole, as the store's writers do: a new file renamed over the old one.
  writeSettings(settingsPath + ".new", false);
  fs::rename(host(settingsPath + ".new"), host(settingsPath));
  takeEvents();
  EXPECT_EQ(enabledIn(settings), false);
  // And changed again in place: the new file is watched, not the one it replaced.
  writeSettings(settingsPath, true);
  takeEvents();
  EXPECT_EQ(enabledIn(settings), true);

  fs::remove(host(settingsPath));
  takeEvents();
  EXPECT_FALSE(settings.exists());
  EXPECT_EQ(enabledIn(settings), std::nullopt);
}

TEST_F(WatchedFileTest, SeesAFileWhoseFoldersAreCreatedLater) {
  fs::create_directories(host("/var/lib"));
  WatchedFile record(recordPath);
  EXPECT_FALSE(record.exists());
  fs::create_directories(host(recordPath).parent_path());
  takeEvents();
  EXPECT_FALSE(record.exists());
  touch(recordPath);
  takeEvents();
  EXPECT_TRUE(record.exists());

  // Folders and file made together, before the run loop hears of the first folder.
  WatchedFile deeper("/var/lib/dpkg/info/more/deeper.list");
  EXPECT_FALSE(deeper.exists());
  fs::create_directories(host("/var/lib/dpkg/info/more"));
  touch("/var/lib/dpkg/info/more/deeper.list");
  takeEvents();
  EXPECT_TRUE(deeper.exists());
}

TEST_F(WatchedFileTest, AFileThatCannotBeWatchedIsReadEveryTime) {
  writeSettings(settingsPath, true);
  platform::foundation::dispatch_vnode_set_watch_limit(1);
  WatchedFile other("/var/lib/elsewhere.list");
  EXPECT_FALSE(other.exists());  // takes the one watch there is
  WatchedFile settings(settingsPath);
  EXPECT_EQ(enabledIn(settings), true);
  writeSettings(settingsPath, false);
  EXPECT_EQ(enabledIn(settings), false) << "no watch: read afresh, without waiting for the run loop";
  fs::remove(host(settingsPath));
  EXPECT_FALSE(settings.exists());

  // Watched again once a watch is free.
  platform::foundation::dispatch_vnode_set_watch_limit(0);
  writeSettings(settingsPath, true);
  EXPECT_EQ(enabledIn(settings), true);
  writeSettings(settingsPath, false);
  EXPECT_EQ(enabledIn(settings), true);
  takeEvents();
  EXPECT_EQ(enabledIn(settings), false);
}

TEST_F(WatchedFileTest, AnotherFileOfTheFolderChangingCostsARereadNotAWrongAnswer) {
  writeSettings(settingsPath, true);
  WatchedFile settings(settingsPath);
  WatchedFile neighbour("/var/mobile/Library/Preferences/neighbour.plist");
  EXPECT_EQ(enabledIn(settings), true);
  EXPECT_FALSE(neighbour.exists());
  writeSettings("/var/mobile/Library/Preferences/neighbour.plist", false);
  takeEvents();
  EXPECT_EQ(enabledIn(settings), true);
  EXPECT_TRUE(neighbour.exists());
}

}  // namespace
}  // namespace lunadoze
