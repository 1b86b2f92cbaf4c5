#include "platform/foundation/NSNumberFormatter.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "platform/runtime/Runtime.h"

namespace platform::foundation {
namespace {

struct NumberingSystem {
  std::array<std::string_view, 10> digits;
  std::string_view minusSign;
};

constexpr NumberingSystem kLatin{{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}, "-"};
// The minus sign carries an Arabic letter mark so that it stays on the left in right-to-left text.
constexpr NumberingSystem kArabicIndic{
    {"\u0660", "\u0661", "\u0662", "\u0663", "\u0664", "\u0665", "\u0666", "\u0667", "\u0668", "\u0669"},
    "\u061C-"};

const NumberingSystem& numberingSystem(const NSLocale& locale) {
  if (locale.languageCode() != "ar") return kLatin;
  // The Maghreb regions write Arabic with Latin digits.
  static constexpr std::array<std::string_view, 5> kLatinDigitRegions{"DZ", "EH", "LY", "MA", "TN"};
  return std::ranges::find(kLatinDigitRegions, locale.countryCode()) != kLatinDigitRegions.end()
             ? kLatin
             : kArabicIndic;
}

}  // namespace

runtime::Class* NSNumberFormatter::runtimeClass() {
  return runtime::objc_registerClass("NSNumberFormatter", &runtime::NSObject::runtimeClass);
}

void NSNumberFormatter::setLocale(std::shared_ptr<NSLocale> locale) {
  locale_ = locale ? std::move(locale) : NSLocale::currentLocale();
}

std::string NSNumberFormatter::stringFromNumber(int64_t number) const {
  const NumberingSystem& system = numberingSystem(*locale_);
  std::string text = number < 0 ? std::string(system.minusSign) : std::string();
  // Digits from the magnitude, taken as unsigned so that the most negative value has one too.
  uint64_t magnitude = number < 0 ? 0 - static_cast<uint64_t>(number) : static_cast<uint64_t>(number);
  std::array<uint8_t, 20> digits{};
  size_t count = 0;
  do {
    digits[count++] = magnitude % 10;
    magnitude /= 10;
  } while (magnitude != 0);
  while (count > 0) text += system.digits[digits[--count]];
  return text;
}

}  // namespace platform::foundation
