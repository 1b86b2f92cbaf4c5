#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "platform/foundation/NSLocale.h"
#include "platform/foundation/NSNumberFormatter.h"

namespace platform::foundation {
namespace {

TEST(NSLocaleTest, CurrentLocaleIsEnglishUntilTheDeviceSaysOtherwise) {
  EXPECT_EQ(NSLocale::currentLocale()->localeIdentifier(), "en_US");
  NSLocale::setCurrentLocaleIdentifier("ar_SA");
  EXPECT_EQ(NSLocale::currentLocale()->localeIdentifier(), "ar_SA");
}

TEST(NSLocaleTest, IdentifiersSplitIntoLanguageScriptAndRegion) {
  auto parts = [](std::string_view identifier) {
    auto locale = NSLocale::localeWithLocaleIdentifier(identifier);
    return std::vector<std::string>{locale->languageCode(), locale->scriptCode(), locale->countryCode()};
  };
  EXPECT_EQ(parts("fr_FR"), (std::vector<std::string>{"fr", "", "FR"}));
  EXPECT_EQ(parts("zh-Hans_CN"), (std::vector<std::string>{"zh", "Hans", "CN"}));
  EXPECT_EQ(parts("sr-Latn"), (std::vector<std::string>{"sr", "Latn", ""}));
  EXPECT_EQ(parts("es-419"), (std::vector<std::string>{"es", "", "419"}));
  EXPECT_EQ(parts("ar@numbers=latn"), (std::vector<std::string>{"ar", "", ""}));
  EXPECT_EQ(parts(""), (std::vector<std::string>{"", "", ""}));
}

std::string format(std::string_view locale, int64_t number) {
  NSNumberFormatter formatter;
  formatter.setLocale(NSLocale::localeWithLocaleIdentifier(locale));
  return formatter.stringFromNumber(number);
}

TEST(NSNumberFormatterTest, ArabicWritesArabicIndicDigits) {
  EXPECT_EQ(format("ar", 0), "٠");
  EXPECT_EQ(format("ar", 1234567890), "١٢٣٤٥٦٧٨٩٠");
  EXPECT_EQ(format("ar_SA", -42), "\u061C-٤٢");
  // The Maghreb keeps Latin digits.
  EXPECT_EQ(format("ar_MA", 42), "42");
}

TEST(NSNumberFormatterTest, OtherLocalesWritePlainDecimalsWithoutGrouping) {
  EXPECT_EQ(format("en_US", 1234567), "1234567");
  EXPECT_EQ(format("fr_FR", -5), "-5");
  EXPECT_EQ(format("en_US", std::numeric_limits<int64_t>::min()), "-9223372036854775808");
}

TEST(NSNumberFormatterTest, ANewFormatterTakesTheCurrentLocale) {
  NSLocale::setCurrentLocaleIdentifier("ar_EG");
  NSNumberFormatter formatter;
  EXPECT_EQ(formatter.stringFromNumber(7), "٧");
  formatter.setLocale(NSLocale::localeWithLocaleIdentifier("en"));
  EXPECT_EQ(formatter.stringFromNumber(7), "7");
  formatter.setLocale(nullptr);
  EXPECT_EQ(formatter.stringFromNumber(7), "٧");
}

}  // namespace
}  // namespace platform::foundation
