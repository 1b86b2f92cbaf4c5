#include <gtest/gtest.h>

#include <fstream>

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

}  // namespace
}  // namespace platform::foundation
