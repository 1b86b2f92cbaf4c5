#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <string>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/PropertyList.h"
#include "tests/platform/foundation/TemporaryDirectory.h"

namespace platform::foundation {
namespace {

class DeviceFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(host.path() / "device/var/mobile");
    std::filesystem::create_directories(host.path() / "outside");
    DeviceFileSystem::setRoot(host.path() / "device");
  }
  std::filesystem::path device() const { return std::filesystem::canonical(host.path() / "device"); }

  TemporaryDirectory host;
};

TEST_F(DeviceFileSystemTest, DevicePathsLieUnderTheRoot) {
  EXPECT_EQ(DeviceFileSystem::resolve("/var/mobile/Library/Preferences/x.plist"),
            device() / "var/mobile/Library/Preferences/x.plist");
  EXPECT_EQ(DeviceFileSystem::resolve("/var/tmp/../mobile/./a"), device() / "var/mobile/a");
}

TEST_F(DeviceFileSystemTest, PathsThatLeaveTheRootAreRefused) {
  EXPECT_EQ(DeviceFileSystem::resolve("/../outside"), std::nullopt);
  EXPECT_EQ(DeviceFileSystem::resolve("/var/../../outside/x"), std::nullopt);
  EXPECT_EQ(DeviceFileSystem::resolve("var/mobile"), std::nullopt);
  EXPECT_EQ(DeviceFileSystem::resolve(""), std::nullopt);
  EXPECT_EQ(DeviceFileSystem::resolve(std::string_view("/var\0/x", 7)), std::nullopt);
}

TEST_F(DeviceFileSystemTest, LinksCountOnlyWhenTheyStayInside) {
  std::filesystem::create_directory_symlink(host.path() / "outside", device() / "var/escape");
  std::filesystem::create_directory_symlink("../../outside", device() / "var/relative-escape");
  std::filesystem::create_directory_symlink("mobile", device() / "var/inside");
  EXPECT_EQ(DeviceFileSystem::resolve("/var/escape/x"), std::nullopt);
  EXPECT_EQ(DeviceFileSystem::resolve("/var/relative-escape"), std::nullopt);
  EXPECT_EQ(DeviceFileSystem::resolve("/var/inside/x"), device() / "var/inside/x");
}

TEST_F(DeviceFileSystemTest, OpeningFollowsOnlyTheLinksThatStayInside) {
  std::ofstream(host.path() / "outside/secret") << "secret";
  std::ofstream(device() / "var/mobile/note") << "note";
  std::filesystem::create_symlink(host.path() / "outside/secret", device() / "var/mobile/escape");
  std::filesystem::create_symlink("../../../outside/nothing", device() / "var/mobile/dangling");
  std::filesystem::create_symlink("note", device() / "var/mobile/alias");

  const int alias = DeviceFileSystem::open("/var/mobile/alias", O_RDONLY);
  EXPECT_GE(alias, 0);
  if (alias >= 0) close(alias);
  EXPECT_EQ(DeviceFileSystem::open("/var/mobile/escape", O_RDONLY), -1);
  EXPECT_EQ(errno, EXDEV);
  EXPECT_EQ(DeviceFileSystem::open("/../outside/secret", O_RDONLY), -1);
  // A link that leads out is refused even when nothing is at its end, and so is all below it.
  EXPECT_EQ(DeviceFileSystem::resolve("/var/mobile/dangling"), std::nullopt);
  EXPECT_EQ(DeviceFileSystem::resolve("/var/mobile/dangling/below"), std::nullopt);
  EXPECT_FALSE(NSFileManager::defaultManager()->fileExistsAtPath("/var/mobile/escape"));
  EXPECT_TRUE(NSFileManager::defaultManager()->fileExistsAtPath("/var/mobile/alias"));
}

TEST_F(DeviceFileSystemTest, FilesAreFoundAndReadByDevicePathOnly) {
  std::ofstream(device() / "var/mobile/prefs.plist")
      << PropertyList(PropertyList::Dictionary{{"a", 1}}).toXml();
  std::ofstream(device() / "var/mobile/list.plist") << PropertyList(PropertyList::Array{1}).toXml();
  std::ofstream(host.path() / "outside/secret.plist") << PropertyList(PropertyList::Dictionary{}).toXml();

  auto* files = NSFileManager::defaultManager();
  EXPECT_TRUE(files->fileExistsAtPath("/var/mobile/prefs.plist"));
  EXPECT_TRUE(files->fileExistsAtPath("/var/mobile"));
  EXPECT_FALSE(files->fileExistsAtPath("/var/mobile/missing"));
  EXPECT_FALSE(files->fileExistsAtPath("/../outside/secret.plist"));

  EXPECT_EQ(PropertyList::dictionaryWithContentsOfFile("/var/mobile/prefs.plist"),
            (PropertyList::Dictionary{{"a", 1}}));
  EXPECT_EQ(PropertyList::dictionaryWithContentsOfFile("/var/mobile/list.plist"), std::nullopt);
  EXPECT_EQ(PropertyList::dictionaryWithContentsOfFile("/var/mobile/missing"), std::nullopt);
  EXPECT_EQ(PropertyList::dictionaryWithContentsOfFile("/../outside/secret.plist"), std::nullopt);
}

// Settings files are read on every layout pass: a large one is still read whole, and a FIFO put in
// a file's place must not hold the process up.
TEST_F(DeviceFileSystemTest, SettingsFilesAreReadWholeAndNeverWaitedFor) {
  PropertyList::Dictionary large;
  for (int key = 0; key < 2000; ++key) large.emplace("key" + std::to_string(key), key);
  std::ofstream(device() / "var/mobile/large.plist") << PropertyList(large).toXml();
  ASSERT_GT(std::filesystem::file_size(device() / "var/mobile/large.plist"), 65536u);
  EXPECT_EQ(PropertyList::dictionaryWithContentsOfFile("/var/mobile/large.plist"), large);

  ASSERT_EQ(mkfifo((device() / "var/mobile/fifo.plist").c_str(), 0600), 0);
  EXPECT_EQ(PropertyList::dictionaryWithContentsOfFile("/var/mobile/fifo.plist"), std::nullopt);
}

}  // namespace
}  // namespace platform::foundation
