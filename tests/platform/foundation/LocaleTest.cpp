#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "platform/foundation/NSLocale.h"
#include "platform/foundation/NSNumberFormatter.h"
#include "tests/platform/springboard/FreshProcessState.h"

namespace platform::foundation {
namespace {

// The current locale is the process's: each case starts from the device's.
class NSLocaleTest : public ::testing::Test {
  springboard::FreshProcessState freshProcess_;
};

TEST_F(NSLocaleTest, CurrentLocaleIsEnglishUntilTheDeviceSaysOtherwise) {
  EXPECT_EQ(NSLocale::currentLocale()->localeIdentifier(), "en_US");
  NSLocale::setCurrentLocaleIdentifier("ar_SA");
  EXPECT_EQ(NSLocale::currentLocale()->localeIdentifier(), "ar_SA");
}

TEST_F(NSLocaleTest, IdentifiersSplitIntoLanguageScriptAndRegion) {
  auto parts = [](std::string_view identifier) {
    auto locale = NSLocale::localeWithLocaleIdentifier(identifier);
    return std::vector<std::string>{locale->languageCode(), locale->scriptCode(), locale->countryCode()};
  };
  EXPECT_EQ(parts("fr_FR"), (std::vector<std::string>{"fr", "", "FR"}));
  EXPECT_EQ(parts("zh-Hans_CN"), (std::vector<std::string>{"zh", "Hans", "CN"}));
  EXPECT_EQ(parts("zh_Hant-TW"), (std::vector<std::string>{"zh", "Hant", "TW"}));
  EXPECT_EQ(parts("sr-Latn"), (std::vector<std::string>{"sr", "Latn", ""}));
  EXPECT_EQ(parts("es-419"), (std::vector<std::string>{"es", "", "419"}));
  EXPECT_EQ(parts("ar@numbers=latn"), (std::vector<std::string>{"ar", "", ""}));
  EXPECT_EQ(parts("en_US@calendar=japanese"), (std::vector<std::string>{"en", "", "US"}));
  EXPECT_EQ(parts("en_GB@rg=gbzzzz;calendar=buddhist"), (std::vector<std::string>{"en", "", "GB"}));
  EXPECT_EQ(parts(""), (std::vector<std::string>{"", "", ""}));
  // The identifier itself stays as the device gave it.
  EXPECT_EQ(NSLocale::localeWithLocaleIdentifier("zh-Hans_CN")->localeIdentifier(), "zh-Hans_CN");
}

TEST_F(NSLocaleTest, TheCalendarComesFromItsKeyword) {
  EXPECT_EQ(NSLocale::localeWithLocaleIdentifier("en_US@calendar=japanese")->calendarIdentifier(),
            "japanese");
  EXPECT_EQ(NSLocale::localeWithLocaleIdentifier("th_TH@rg=thzzzz;calendar=buddhist")->calendarIdentifier(),
            "buddhist");
  EXPECT_EQ(NSLocale::localeWithLocaleIdentifier("fr_FR")->calendarIdentifier(), "gregorian");
}

TEST_F(NSLocaleTest, AnIdentifierICUCannotReadHasNoParts) {
  auto withNul = NSLocale::localeWithLocaleIdentifier(std::string_view("en\0_US", 6));
  EXPECT_EQ(withNul->languageCode(), "");
  auto tooLong = NSLocale::localeWithLocaleIdentifier("en_US@calendar=" + std::string(400, 'x'));
  EXPECT_EQ(tooLong->calendarIdentifier(), "gregorian");
}

std::string format(std::string_view locale, int64_t number) {
  auto formatter = NSNumberFormatter::alloc();
  formatter->setLocale(NSLocale::localeWithLocaleIdentifier(locale));
  return formatter->stringFromNumber(number);
}

TEST(NSNumberFormatterTest, ArabicWritesTheDigitsOfItsNumberingSystem) {
  EXPECT_EQ(format("ar", 0), "٠");
  EXPECT_EQ(format("ar", 1234567890), "١٢٣٤٥٦٧٨٩٠");
  // The minus sign carries an Arabic letter mark so that it stays on the left in right-to-left text.
  EXPECT_EQ(format("ar_SA", -42), "\u061C-٤٢");
  EXPECT_EQ(format("ar_EG", 10), "١٠");
  // The Maghreb and the Emirates write Arabic with Latin digits; a keyword can ask for them too.
  EXPECT_EQ(format("ar_MA", 42), "42");
  EXPECT_EQ(format("ar_AE", 7), "7");
  EXPECT_EQ(format("ar@numbers=latn", 42), "42");
  // Other numbering systems come the same way.
  EXPECT_EQ(format("fa_IR", 12), "۱۲");
  EXPECT_EQ(format("hi_IN@numbers=deva", 305), "३०५");
}

TEST(NSNumberFormatterTest, OtherLocalesWritePlainDecimalsWithoutGrouping) {
  EXPECT_EQ(format("en_US", 1234567), "1234567");
  EXPECT_EQ(format("fr_FR", -5), "-5");
  EXPECT_EQ(format("en_US", std::numeric_limits<int64_t>::min()), "-9223372036854775808");
  EXPECT_EQ(format("en_US@calendar=japanese", 2026), "2026");
  EXPECT_EQ(format("de_CH", 1234567), "1234567");
  EXPECT_EQ(format("", 12), "12");
}

TEST(NSNumberFormatterTest, ANewFormatterTakesTheCurrentLocale) {
  NSLocale::setCurrentLocaleIdentifier("ar_EG");
  auto formatter = NSNumberFormatter::alloc();
  EXPECT_EQ(formatter->stringFromNumber(7), "٧");
  formatter->setLocale(NSLocale::localeWithLocaleIdentifier("en"));
  EXPECT_EQ(formatter->stringFromNumber(7), "7");
  formatter->setLocale(nullptr);
  EXPECT_EQ(formatter->stringFromNumber(7), "٧");
}

}  // namespace
}  // namespace platform::foundation
