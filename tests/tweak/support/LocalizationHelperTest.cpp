#include <gtest/gtest.h>

#include "platform/foundation/NSLocale.h"
#include "tweak/support/LocalizationHelper.h"

namespace lunadoze {
namespace {

using platform::foundation::NSLocale;

bool supportsPluralIn(std::string_view locale) {
  NSLocale::setCurrentLocaleIdentifier(locale);
  return LocalizationHelper::languageSupportsPlural();
}

TEST(LocalizationHelperTest, PluralSupportIsASubstringTestOfTheIdentifier) {
  for (const char* locale : {"de_CH", "it_IT", "zh-Hans_CN", "ko_KR", "ms_MY", "ar_EG", "en_US@calendar=x"}) {
    EXPECT_FALSE(supportsPluralIn(locale)) << locale;
  }
  for (const char* locale : {"en_GB", "fr_FR", "es_AR", "DE"}) {
    EXPECT_TRUE(supportsPluralIn(locale)) << locale;
  }
}

TEST(LocalizationHelperTest, NumbersKeepAsciiDigitsOutsideArabicLocales) {
  for (const char* locale : {"en_US", "fr_FR", "es_AR"}) {
    NSLocale::setCurrentLocaleIdentifier(locale);
    EXPECT_EQ(LocalizationHelper::getLocalizedNumberStringFrom(12), "12");
    EXPECT_EQ(LocalizationHelper::getLocalizedNumberStringFrom(-7), "-7");
    EXPECT_EQ(LocalizationHelper::replaceNumbersWithLocalizedNumbersFromString("Track 10 of 12"),
              "Track 10 of 12");
  }
}

TEST(LocalizationHelperTest, AnyIdentifierContainingArGetsArabicDigits) {
  for (const char* locale : {"ar_SA", "ar_MA", "arn_CL"}) {
    NSLocale::setCurrentLocaleIdentifier(locale);
    EXPECT_EQ(LocalizationHelper::getLocalizedNumberStringFrom(12), "١٢");
    EXPECT_EQ(LocalizationHelper::replaceNumbersWithLocalizedNumbersFromString("Track 10 of 12, 3:45"),
              "Track ١٠ of ١٢, ٣:٤٥");
    EXPECT_EQ(LocalizationHelper::replaceNumbersWithLocalizedNumbersFromString(""), "");
  }
}

TEST(LocalizationHelperTest, FormatPutsTheObjectInPlaceOfItsPlaceholder) {
  EXPECT_EQ(LocalizationHelper::stringWithFormat("%@ songs left", "3"), "3 songs left");
  EXPECT_EQ(LocalizationHelper::stringWithFormat("Noch %1$@ Titel", "3"), "Noch 3 Titel");
  EXPECT_EQ(LocalizationHelper::stringWithFormat("100%% sure: %@", "٣"), "100% sure: ٣");
  EXPECT_EQ(LocalizationHelper::stringWithFormat("songs left", "3"), "songs left");
  EXPECT_EQ(LocalizationHelper::stringWithFormat("", "3"), "");
}

TEST(LocalizationHelperTest, FormatShowsAFaultyTranslationAsText) {
  EXPECT_EQ(LocalizationHelper::stringWithFormat("%d songs", "3"), "3 songs");
  EXPECT_EQ(LocalizationHelper::stringWithFormat("%s of %@ (%lu)", "3"), "3 of %@ (%lu)");
  EXPECT_EQ(LocalizationHelper::stringWithFormat("%n%@", "3"), "%n3");
  EXPECT_EQ(LocalizationHelper::stringWithFormat("left: %", "3"), "left: %");
}

}  // namespace
}  // namespace lunadoze
