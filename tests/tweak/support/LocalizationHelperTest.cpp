#include <gtest/gtest.h>

#include "platform/foundation/NSLocale.h"
#include "tests/platform/springboard/FreshProcessState.h"
#include "tweak/support/LocalizationHelper.h"

namespace lunadoze {
namespace {

using platform::foundation::NSLocale;

// Every case changes the locale; the fresh state gives it back.
class LocalizationHelperTest : public ::testing::Test {
 protected:
  platform::springboard::FreshProcessState freshProcess_;
};

bool supportsPluralIn(std::string_view locale) {
  NSLocale::setCurrentLocaleIdentifier(locale);
  return LocalizationHelper::languageSupportsPlural();
}

TEST_F(LocalizationHelperTest, PluralSupportFollowsTheLanguageOfTheLocale) {
  for (const char* locale : {"de_CH", "it_IT", "zh-Hans_CN", "ko_KR", "ms_MY", "ar_EG", "ar_SA", "ar_MA",
                             "de", "zh_TW@calendar=roc"}) {
    EXPECT_FALSE(supportsPluralIn(locale)) << locale;
  }
  // Another calendar or region keyword does not change the language.
  for (const char* locale : {"en_GB", "fr_FR", "es_AR", "en_US", "en_US@calendar=japanese",
                             "fr_FR@calendar=gregorian", "en_GB@rg=dezzzz", "arn_CL", "fr_DZ"}) {
    EXPECT_TRUE(supportsPluralIn(locale)) << locale;
  }
}

TEST_F(LocalizationHelperTest, NumbersKeepAsciiDigitsOutsideArabic) {
  for (const char* locale : {"en_US", "fr_FR", "es_AR", "en_US@calendar=japanese", "fr_FR@calendar=gregorian",
                             "arn_CL", "fa_IR"}) {
    NSLocale::setCurrentLocaleIdentifier(locale);
    EXPECT_EQ(LocalizationHelper::getLocalizedNumberStringFrom(12), "12") << locale;
    EXPECT_EQ(LocalizationHelper::getLocalizedNumberStringFrom(-7), "-7") << locale;
    EXPECT_EQ(LocalizationHelper::replaceNumbersWithLocalizedNumbersFromString("Track 10 of 12"),
              "Track 10 of 12")
        << locale;
  }
}

TEST_F(LocalizationHelperTest, EveryArabicLocaleGetsTheDigitsOfArabic) {
  // Even where the region writes Latin digits (ar_MA): the digits are those of "ar" itself.
  for (const char* locale : {"ar_SA", "ar_EG", "ar_MA", "ar", "ar-SA@calendar=islamic"}) {
    NSLocale::setCurrentLocaleIdentifier(locale);
    EXPECT_EQ(LocalizationHelper::getLocalizedNumberStringFrom(12), "١٢") << locale;
    EXPECT_EQ(LocalizationHelper::replaceNumbersWithLocalizedNumbersFromString("Track 10 of 12, 3:45"),
              "Track ١٠ of ١٢, ٣:٤٥")
        << locale;
    EXPECT_EQ(LocalizationHelper::replaceNumbersWithLocalizedNumbersFromString(""), "");
  }
}

TEST_F(LocalizationHelperTest, FormatPutsTheObjectInPlaceOfItsPlaceholder) {
  EXPECT_EQ(LocalizationHelper::stringWithFormat("%@ songs left", "3"), "3 songs left");
  EXPECT_EQ(LocalizationHelper::stringWithFormat("Noch %1$@ Titel", "3"), "Noch 3 Titel");
  EXPECT_EQ(LocalizationHelper::stringWithFormat("100%% sure: %@", "٣"), "100% sure: ٣");
  EXPECT_EQ(LocalizationHelper::stringWithFormat("songs left", "3"), "songs left");
  EXPECT_EQ(LocalizationHelper::stringWithFormat("", "3"), "");
}

TEST_F(LocalizationHelperTest, FormatShowsAFaultyTranslationAsText) {
  EXPECT_EQ(LocalizationHelper::stringWithFormat("%d songs", "3"), "3 songs");
  EXPECT_EQ(LocalizationHelper::stringWithFormat("%s of %@ (%lu)", "3"), "3 of %@ (%lu)");
  EXPECT_EQ(LocalizationHelper::stringWithFormat("%n%@", "3"), "%n3");
  EXPECT_EQ(LocalizationHelper::stringWithFormat("left: %", "3"), "left: %");
}

}  // namespace
}  // namespace lunadoze
