#include <gtest/gtest.h>

#include <fstream>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/foundation/NSBundle.h"
#include "platform/foundation/NSLocale.h"
#include "tests/platform/foundation/TemporaryDirectory.h"

namespace platform::foundation {
namespace {

constexpr std::string_view kBundle = "/Library/Test.bundle";

class NSBundleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DeviceFileSystem::setRoot(device.path());
    // The locale is the process's: another test may have left its own.
    NSLocale::setCurrentLocaleIdentifier("en_US");
    write("en.lproj/Localizable.strings", strings({{"SLEEP", "Sleep"}, {"BACK", "Back"}}));
    write("fr.lproj/Localizable.strings", strings({{"SLEEP", "Sommeil"}}));
    write("zh-Hans.lproj/Localizable.strings", strings({{"SLEEP", "睡眠"}}));
    write("pt_BR.lproj/Localizable.strings", strings({{"SLEEP", "Dormir"}}));
    write("en.lproj/Other.strings", strings({{"SLEEP", "Nap"}}));
  }

  void write(const std::string& file, const std::string& contents) {
    auto path = device.path() / std::string(kBundle).substr(1) / file;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path) << contents;
  }

  static std::string strings(std::initializer_list<std::pair<const char*, const char*>> entries) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>";
    for (auto [key, text] : entries)
      xml += std::string("<key>") + key + "</key><string>" + text + "</string>";
    return xml + "</dict></plist>";
  }

  std::string sleepIn(std::string_view locale) {
    NSLocale::setCurrentLocaleIdentifier(locale);
    return NSBundle::initWithPath(kBundle)->localizedStringForKey("SLEEP", "SLEEP", "");
  }

  TemporaryDirectory device;
};

TEST_F(NSBundleTest, OpensOnlyADirectoryAndKeepsTheOpenedBundle) {
  write("Icon.png", "");
  EXPECT_EQ(NSBundle::initWithPath("/Library/Missing.bundle"), nullptr);
  EXPECT_EQ(NSBundle::initWithPath("/Library/Test.bundle/Icon.png"), nullptr);
  EXPECT_EQ(NSBundle::initWithPath("/../outside"), nullptr);
  auto bundle = NSBundle::initWithPath(kBundle);
  ASSERT_NE(bundle, nullptr);
  EXPECT_EQ(bundle->bundlePath(), kBundle);
  EXPECT_EQ(bundle->localizations(), (std::vector<std::string>{"en", "fr", "pt_BR", "zh-Hans"}));
  EXPECT_EQ(NSBundle::initWithPath(kBundle), bundle);
}

TEST_F(NSBundleTest, TheLocaleLanguagePicksTheTableAndEnglishIsTheFallback) {
  EXPECT_EQ(sleepIn("en_US"), "Sleep");
  EXPECT_EQ(sleepIn("fr_FR"), "Sommeil");
  EXPECT_EQ(sleepIn("fr_CA"), "Sommeil");
  EXPECT_EQ(sleepIn("zh-Hans_CN"), "睡眠");
  EXPECT_EQ(sleepIn("pt_BR"), "Dormir");
  EXPECT_EQ(sleepIn("de_DE"), "Sleep");
}

TEST_F(NSBundleTest, AMissingKeyYieldsTheValueOrElseTheKey) {
  auto bundle = NSBundle::initWithPath(kBundle);
  EXPECT_EQ(bundle->localizedStringForKey("BACK", "fallback", ""), "Back");
  EXPECT_EQ(bundle->localizedStringForKey("NOPE", "fallback", ""), "fallback");
  EXPECT_EQ(bundle->localizedStringForKey("NOPE", "", ""), "NOPE");
  // The French table has no BACK: no falling through to English, as on the device.
  NSLocale::setCurrentLocaleIdentifier("fr_FR");
  EXPECT_EQ(bundle->localizedStringForKey("BACK", "BACK", ""), "BACK");
}

TEST_F(NSBundleTest, NamedTablesAreSeparateFromTheDefaultOne) {
  auto bundle = NSBundle::initWithPath(kBundle);
  EXPECT_EQ(bundle->localizedStringForKey("SLEEP", "", "Other"), "Nap");
  EXPECT_EQ(bundle->localizedStringForKey("BACK", "", "Other"), "BACK");
  EXPECT_EQ(bundle->localizedStringForKey("SLEEP", "", "Absent"), "SLEEP");
}

TEST_F(NSBundleTest, AnUnreadableTableOrOddEntriesReadAsMissingKeys) {
  write("de.lproj/Localizable.strings", "\"SLEEP\" = \"Schlafen\"; <garbage");
  write("es.lproj/Localizable.strings",
        "<plist version=\"1.0\"><dict><key>SLEEP</key><integer>3</integer>"
        "<key>BACK</key><string>Atrás</string></dict></plist>");
  EXPECT_EQ(sleepIn("de_DE"), "SLEEP");
  EXPECT_EQ(sleepIn("es_ES"), "SLEEP");
  EXPECT_EQ(NSBundle::initWithPath(kBundle)->localizedStringForKey("BACK", "", ""), "Atrás");
}

TEST_F(NSBundleTest, ResourcesAreFoundAtTheTopThenInTheLanguageFolder) {
  write("Icon.png", "top");
  write("fr.lproj/Icon.png", "french");
  write("fr.lproj/Flag.png", "french");
  auto bundle = NSBundle::initWithPath(kBundle);
  NSLocale::setCurrentLocaleIdentifier("fr_FR");
  EXPECT_EQ(bundle->pathForResource("Icon", "png"), "/Library/Test.bundle/Icon.png");
  EXPECT_EQ(bundle->pathForResource("Flag", "png"), "/Library/Test.bundle/fr.lproj/Flag.png");
  EXPECT_EQ(bundle->pathForResource("Icon.png", ""), "/Library/Test.bundle/Icon.png");
  EXPECT_EQ(bundle->pathForResource("Icon", "jpg"), "");
  NSLocale::setCurrentLocaleIdentifier("en_US");
  EXPECT_EQ(bundle->pathForResource("Flag", "png"), "");
  // Looked up afresh every time.
  std::filesystem::remove(device.path() / "Library/Test.bundle/Icon.png");
  EXPECT_EQ(bundle->pathForResource("Icon", "png"), "");
}

TEST_F(NSBundleTest, AResourceLinkedOutsideTheDeviceIsNotFound) {
  TemporaryDirectory outside;
  std::ofstream(outside.path() / "secret.png") << "x";
  std::filesystem::create_symlink(outside.path() / "secret.png",
                                  device.path() / "Library/Test.bundle/Icon.png");
  EXPECT_EQ(NSBundle::initWithPath(kBundle)->pathForResource("Icon", "png"), "");
}

}  // namespace
}  // namespace platform::foundation
