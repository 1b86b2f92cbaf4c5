#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/settings/PreferencesDomain.h"
#include "tests/platform/foundation/BinaryPropertyList.h"
#include "tests/platform/foundation/TemporaryDirectory.h"

namespace platform::settings {
namespace {

using foundation::PropertyList;
namespace fs = std::filesystem;

const std::string kDevicePath = "/var/mobile/Library/Preferences/com.corvane.lunadoze.plist";

// A device root beside an outside directory that nothing written on the device may reach.
class PreferencesDomainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(preferences());
    fs::create_directories(outside());
    foundation::DeviceFileSystem::setRoot(host.path() / "device");
  }

  fs::path preferences() const { return host.path() / "device/var/mobile/Library/Preferences"; }
  fs::path outside() const { return host.path() / "outside"; }
  fs::path file(const std::string& suffix = "") const {
    return preferences() / ("com.corvane.lunadoze.plist" + suffix);
  }
  static std::string contents(const fs::path& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
  }
  static void store(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  std::vector<std::string> namesBeside() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(preferences())) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
  PropertyList::Dictionary onDisk() const {
    auto stored = PropertyList::readFile(file());
    return stored && stored->isDictionary() ? *stored->dictionary() : PropertyList::Dictionary{};
  }

  foundation::TemporaryDirectory host;
};

TEST_F(PreferencesDomainTest, LinksBesideTheFileAreNeverWrittenThrough) {
  const fs::path target = outside() / "victim";
  for (const std::string suffix : {".tmp", ".lock"}) {
    SCOPED_TRACE(suffix);
    store(target, "precious");
    fs::remove(file(suffix));
    fs::create_symlink(target, file(suffix));
    auto domain = PreferencesDomain::forDevicePath(kDevicePath);
    const bool written = domain->write("onTimerEndsDND", true);
    EXPECT_EQ(contents(target), "precious");
    EXPECT_FALSE(fs::is_symlink(file())) << "a link was installed as the settings file";
    // A lock that is a link is refused; the old fixed temporary name is no longer used.
    EXPECT_EQ(written, suffix != ".lock");
    fs::remove(file(suffix));
    fs::remove(file());
  }
  // A dangling link at the lock creates nothing where it points.
  fs::remove(file(".lock"));
  fs::create_symlink(outside() / "created", file(".lock"));
  EXPECT_FALSE(PreferencesDomain::forDevicePath(kDevicePath)->write("onTimerEndsDND", true));
  EXPECT_FALSE(fs::exists(outside() / "created"));
}

TEST_F(PreferencesDomainTest, SettingsFileThatIsALinkIsNeitherReadNorOverwrittenButMovedAside) {
  const fs::path target = outside() / "other.plist";
  const std::string outsideList = PropertyList(PropertyList::Dictionary{{"secret", "outside"}}).toXml();
  store(target, outsideList);
  fs::create_symlink(target, file());
  auto domain = PreferencesDomain::forDevicePath(kDevicePath);
  EXPECT_TRUE(domain->values().empty());
  ASSERT_TRUE(domain->write("onTimerEndsDND", true));
  EXPECT_EQ(contents(target), outsideList);
  EXPECT_TRUE(fs::is_symlink(file(".corrupt-1")));
  EXPECT_FALSE(fs::is_symlink(file()));
  EXPECT_EQ(onDisk(), (PropertyList::Dictionary{{"onTimerEndsDND", true}}));
}

TEST_F(PreferencesDomainTest, DirectoryLinkedOutOfTheRootAfterwardsIsRefused) {
  auto domain = PreferencesDomain::forDevicePath(kDevicePath);
  fs::remove_all(host.path() / "device/var/mobile/Library");
  fs::create_symlink(outside(), host.path() / "device/var/mobile/Library");
  EXPECT_FALSE(domain->write("onTimerEndsDND", true));
  EXPECT_TRUE(fs::is_empty(outside()));
  // Nor does a dangling link lead the making of missing directories outside.
  fs::remove(host.path() / "device/var/mobile/Library");
  fs::create_symlink(outside() / "made", host.path() / "device/var/mobile/Library");
  EXPECT_FALSE(domain->write("onTimerEndsDND", true));
  EXPECT_FALSE(fs::exists(outside() / "made"));
}

TEST_F(PreferencesDomainTest, MissingDirectoriesAreMadeAndNoTemporaryFileIsLeft) {
  fs::remove_all(host.path() / "device/var");
  auto domain = PreferencesDomain::forDevicePath(kDevicePath);
  ASSERT_TRUE(domain->write("onTimerEndsDND", true));
  EXPECT_EQ(onDisk(), (PropertyList::Dictionary{{"onTimerEndsDND", true}}));
  // One left by a writer killed mid-write goes with the next write.
  store(file(".tmp-0123456789abcdef"), "half a fi");
  ASSERT_TRUE(domain->write("onTimerEndsAirplane", false));
  EXPECT_EQ(namesBeside(),
            (std::vector<std::string>{"com.corvane.lunadoze.plist", "com.corvane.lunadoze.plist.lock"}));
}

TEST_F(PreferencesDomainTest, AKeyHoldingNulMovesTheFileAsideInsteadOfAborting) {
  const std::string list = foundation::binaryPropertyList(
      {foundation::container("\xd1", {1, 2}), std::string("\x62\x00\x61\x00\x00", 5), "\x09"});
  store(file(), list);
  auto domain = PreferencesDomain::forDevicePath(kDevicePath);
  EXPECT_TRUE(domain->values().empty());
  ASSERT_TRUE(domain->write("onTimerEndsDND", true));
  EXPECT_EQ(contents(file(".corrupt-1")), list);
  EXPECT_EQ(onDisk(), (PropertyList::Dictionary{{"onTimerEndsDND", true}}));
}

TEST_F(PreferencesDomainTest, TextIsStoredWholeOrRefused) {
  auto domain = PreferencesDomain::forDevicePath(kDevicePath);
  const std::string withNul("Air\0Pods", 8);
  ASSERT_TRUE(domain->write("deviceName", withNul));
  // Kept whole when another key is written, in the form that can hold it.
  ASSERT_TRUE(domain->write("onTimerEndsDND", true));
  EXPECT_EQ(onDisk(), (PropertyList::Dictionary{{"deviceName", withNul}, {"onTimerEndsDND", true}}));
  EXPECT_TRUE(contents(file()).starts_with("bplist00"));
  // Back to XML once nothing needs the binary form.
  ASSERT_TRUE(domain->write("deviceName", "AirPods"));
  EXPECT_TRUE(contents(file()).starts_with("<?xml"));

  const std::string before = contents(file());
  EXPECT_FALSE(domain->write("deviceName", "caf\xe9"));
  EXPECT_FALSE(domain->write("caf\xe9", 1));
  EXPECT_FALSE(domain->write(std::string("a\0b", 3), 1));
  EXPECT_FALSE(domain->write("modes", PropertyList::Array{PropertyList::Dictionary{{"\xff", 1}}}));
  EXPECT_EQ(contents(file()), before);
  EXPECT_EQ(*domain->values().at("deviceName").string(), "AirPods");
}

}  // namespace
}  // namespace platform::settings
