#include <gtest/gtest.h>

#include <map>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/foundation/NSLocale.h"
#include "tests/platform/foundation/TemporaryDirectory.h"
#include "tests/tweak/core/FreshTweakProcessState.h"
#include "tweak/support/BundleHelper.h"
#include "tweak/support/LocalizationHelper.h"
#include "tweak/support/LocalizedText.h"

namespace lunadoze {
namespace {

using platform::foundation::DeviceFileSystem;
using platform::foundation::NSLocale;
using platform::uikit::CGSizeMake;
using platform::uikit::UIImageRenderingMode;

class BundleHelperTest : public ::testing::Test {
 protected:
  // Cases that change the locale must not leave it to the next one.
  FreshTweakProcessState freshProcess_;

  void SetUp() override { DeviceFileSystem::setRoot(LUNADOZE_STAGE_DIR); }
};

TEST_F(BundleHelperTest, EveryIconIsATemplateImage) {
  for (const char* name :
       {"sleepIcon", "nbSongsIcon", "settingsIcon", "timerIcon", "backIcon", "hourglassStartIcon",
        "airplaneIcon", "dndIcon", "bluetoothIcon", "customVolumeIcon"}) {
    auto image = BundleHelper::getImageWithName(name);
    ASSERT_NE(image, nullptr) << name;
    EXPECT_EQ(image->renderingMode(), UIImageRenderingMode::AlwaysTemplate) << name;
    EXPECT_EQ(image->size(), CGSizeMake(64, 64)) << name;
  }
  EXPECT_EQ(BundleHelper::getImageWithName("moonIcon"), nullptr);
  EXPECT_EQ(BundleHelper::getImageWithName(""), nullptr);
}

TEST_F(BundleHelperTest, EnglishTextsAreTheDevicesOwn) {
  const std::map<std::string, std::string> english{
      {"SLEEP", "Sleep"},
      {"CONFIRM", "Start"},
      {"BACK", "Back"},
      {"CANCEL", "Cancel"},
      {"SONG", "song"},
      {"SONGS", "songs"},
      {"1_SONG", "1 song left"},
      {"N_SONG", "%@ songs left"},
      {"HOURS", "hours"},
      {"MINUTES", "minutes"},
      {"YOUR_MUSIC_WILL_STOP_IN", "Your music will stop in"},
      {"ON_TIMER_START", "When the timer starts"},
      {"ON_TIMER_END", "When the timer ends"},
      {"EXTEND_MINUTES", "+%@ min"},
      {"EXTEND_ONE_SONG", "+1 song"},
  };
  for (const auto& [key, text] : english) EXPECT_EQ(BundleHelper::getLocalizedStringFor(key), text);
}

TEST_F(BundleHelperTest, EveryLanguageTranslatesEveryKeyAndFillsTheCounts) {
  for (const char* locale :
       {"fr_FR", "de_DE", "es_ES", "ar_SA", "it_IT", "pt_BR", "ru_RU", "ja_JP", "zh-Hans_CN", "zh_CN"}) {
    NSLocale::setCurrentLocaleIdentifier(locale);
    for (const char* key :
         {"SLEEP", "CONFIRM", "BACK", "CANCEL", "SONG", "SONGS", "1_SONG", "N_SONG", "HOURS", "MINUTES",
          "YOUR_MUSIC_WILL_STOP_IN", "ON_TIMER_START", "ON_TIMER_END", "EXTEND_MINUTES", "EXTEND_ONE_SONG"}) {
      EXPECT_NE(BundleHelper::getLocalizedStringFor(key), key) << locale << " " << key;
    }
    std::string number = LocalizationHelper::getLocalizedNumberStringFrom(3);
    std::string songsLeft =
        LocalizationHelper::stringWithFormat(BundleHelper::getLocalizedStringFor("N_SONG"), number);
    EXPECT_NE(songsLeft.find(number), std::string::npos) << locale;
    EXPECT_EQ(songsLeft.find('%'), std::string::npos) << locale;
    std::string extension =
        LocalizationHelper::stringWithFormat(BundleHelper::getLocalizedStringFor("EXTEND_MINUTES"), number);
    EXPECT_NE(extension.find(number), std::string::npos) << locale;
    EXPECT_EQ(extension.find('%'), std::string::npos) << locale;
  }
  // A language without a table reads English.
  NSLocale::setCurrentLocaleIdentifier("ko_KR");
  EXPECT_EQ(BundleHelper::getLocalizedStringFor("SLEEP"), "Sleep");
}

TEST_F(BundleHelperTest, ChineseTakesTheTableOfTheScriptItsRegionWrites) {
  NSLocale::setCurrentLocaleIdentifier("zh_CN");
  std::string simplified = BundleHelper::getLocalizedStringFor("CANCEL");
  NSLocale::setCurrentLocaleIdentifier("zh-Hans_CN");
  EXPECT_EQ(BundleHelper::getLocalizedStringFor("CANCEL"), simplified);
  EXPECT_NE(simplified, "Cancel");
  // Taiwan writes traditional characters, which have no table: English, not simplified Chinese.
  NSLocale::setCurrentLocaleIdentifier("zh_TW");
  EXPECT_EQ(BundleHelper::getLocalizedStringFor("CANCEL"), "Cancel");
}

TEST_F(BundleHelperTest, AMissingKeyShowsTheKey) {
  for (const char* locale : {"en_US", "it_IT", "ja_JP", "ru_RU"}) {
    NSLocale::setCurrentLocaleIdentifier(locale);
    EXPECT_EQ(BundleHelper::getLocalizedStringFor("NO_SUCH_KEY"), "NO_SUCH_KEY") << locale;
    EXPECT_EQ(BundleHelper::getLocalizedStringFor(""), "") << locale;
  }
}

TEST_F(BundleHelperTest, WithoutTheBundleEverythingIsNil) {
  platform::foundation::TemporaryDirectory emptyDevice;
  DeviceFileSystem::setRoot(emptyDevice.path());
  EXPECT_EQ(BundleHelper::getBundle(), nullptr);
  EXPECT_EQ(BundleHelper::getImageWithName("sleepIcon"), nullptr);
  EXPECT_EQ(BundleHelper::getLocalizedStringFor("SLEEP"), "");
}

// A kept text follows what it was looked up with: the locale, and the device root that holds the bundle.
TEST_F(BundleHelperTest, AKeptTextFollowsTheLocaleAndTheBundle) {
  LocalizedText sleep("SLEEP");
  EXPECT_EQ(sleep.text(), "Sleep");
  NSLocale::setCurrentLocaleIdentifier("fr_FR");
  EXPECT_EQ(sleep.text(), "Sommeil");
  NSLocale::setCurrentLocaleIdentifier("fr_FR");
  EXPECT_EQ(sleep.text(), "Sommeil");

  platform::foundation::TemporaryDirectory emptyDevice;
  DeviceFileSystem::setRoot(emptyDevice.path());
  EXPECT_EQ(sleep.text(), "");
  DeviceFileSystem::setRoot(LUNADOZE_STAGE_DIR);
  EXPECT_EQ(sleep.text(), "Sommeil");
  NSLocale::setCurrentLocaleIdentifier("de_DE");
  EXPECT_EQ(sleep.text(), BundleHelper::getLocalizedStringFor("SLEEP"));
  EXPECT_NE(sleep.text(), "Sommeil");
}

}  // namespace
}  // namespace lunadoze
