#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/foundation/PropertyList.h"
#include "sim/DeviceRoot.h"

namespace lunadoze::sim {
namespace {

namespace fs = std::filesystem;
using platform::foundation::PropertyList;

std::vector<std::string> readLines(const fs::path& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool holds(const std::vector<std::string>& lines, const std::string& line) {
  return std::ranges::find(lines, line) != lines.end();
}

// A freshly staged device holds the device package as a device does after installing it.
class DevicePackageTest : public ::testing::Test {
 protected:
  DeviceRoot device_{std::nullopt, LUNADOZE_STAGE_DIR};
  const fs::path& root() const { return device_.path(); }
};

TEST_F(DevicePackageTest, SubstrateFilterNamesSpringBoardOnly) {
  auto filter = PropertyList::readFile(root() / "Library/MobileSubstrate/DynamicLibraries/Lunadoze.plist");
  ASSERT_TRUE(filter) << filter.error();
  const PropertyList* conditions = (*filter)["Filter"];
  ASSERT_NE(conditions, nullptr);
  const PropertyList* bundles = (*conditions)["Bundles"];
  ASSERT_NE(bundles, nullptr);
  EXPECT_EQ(*bundles, PropertyList(PropertyList::Array{"com.apple.springboard"}));
}

TEST_F(DevicePackageTest, PackageRecordsListEveryFileOfThePackage) {
  auto status = readLines(root() / "var/lib/dpkg/status");
  EXPECT_TRUE(holds(status, "Package: com.corvane.lunadoze"));
  EXPECT_TRUE(holds(status, "Version: " LUNADOZE_VERSION));
  EXPECT_TRUE(holds(status, "Depends: mobilesubstrate, preferenceloader"));
  EXPECT_TRUE(holds(status, "Section: Tweaks"));
  EXPECT_TRUE(holds(status, "Status: install ok installed"));

  auto listed = readLines(root() / "var/lib/dpkg/info/com.corvane.lunadoze.list");
  ASSERT_FALSE(listed.empty());
  EXPECT_EQ(listed.front(), "/.");
  for (const char* path : {"/Library/MobileSubstrate/DynamicLibraries/Lunadoze.dylib",
                           "/Library/MobileSubstrate/DynamicLibraries/Lunadoze.plist",
                           "/Library/PreferenceBundles/LunadozePrefs.bundle/LunadozePrefs",
                           "/Library/PreferenceLoader/Preferences/LunadozePrefs.plist",
                           "/Library/Application Support/LunadozeBundle.bundle/en.lproj"}) {
    EXPECT_TRUE(holds(listed, path)) << path;
  }
  // The list names what the package put there and nothing of the device's own.
  for (const std::string& path : listed) {
    EXPECT_TRUE(fs::exists(root() / path.substr(1))) << path;
    EXPECT_FALSE(path.starts_with("/var")) << path;
  }
}

TEST_F(DevicePackageTest, PreferencesBundleCarriesTheProjectVersion) {
  auto info = PropertyList::readFile(root() / "Library/PreferenceBundles/LunadozePrefs.bundle/Info.plist");
  ASSERT_TRUE(info) << info.error();
  for (const char* key : {"CFBundleShortVersionString", "CFBundleVersion"}) {
    const PropertyList* version = (*info)[key];
    ASSERT_NE(version, nullptr) << key;
    EXPECT_EQ(*version, PropertyList(LUNADOZE_VERSION)) << key;
  }
}

}  // namespace
}  // namespace lunadoze::sim
