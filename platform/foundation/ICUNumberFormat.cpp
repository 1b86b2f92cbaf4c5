#include "platform/foundation/ICUNumberFormat.h"

#include <unicode/locid.h>
#include <unicode/numberformatter.h>

#include <map>
#include <mutex>

namespace platform::foundation {

struct ICUNumberFormat::Formatter {
  icu::number::LocalizedNumberFormatter icu;
};

namespace {

// A process sees a handful of locales; the bound only keeps odd input from growing the cache.
constexpr size_t kMostLocales = 64;

std::mutex cacheMutex;
std::map<std::string, std::shared_ptr<const ICUNumberFormat>, std::less<>> cache;

}  // namespace

std::shared_ptr<const ICUNumberFormat> ICUNumberFormat::forLocaleIdentifier(std::string_view identifier) {
  std::lock_guard lock(cacheMutex);
  if (auto found = cache.find(identifier); found != cache.end()) return found->second;
  if (cache.size() >= kMostLocales) cache.clear();  // formatters in use stay alive with their owners
  auto made = std::make_shared<const ICUNumberFormat>(std::string(identifier));
  cache.emplace(std::string(identifier), made);
  return made;
}

ICUNumberFormat::ICUNumberFormat(const std::string& identifier)
    : formatter_(std::make_unique<const Formatter>(
          Formatter{icu::number::NumberFormatter::withLocale(icu::Locale(identifier.c_str()))
                        .grouping(UNUM_GROUPING_OFF)
                        .precision(icu::number::Precision::integer())})) {
  for (int64_t digit = 0; digit <= 9; ++digit) digits_[digit] = formatWithICU(digit);
}

ICUNumberFormat::~ICUNumberFormat() = default;

std::string ICUNumberFormat::format(int64_t number) const {
  if (number >= 0 && number <= 9) return digits_[number];
  return formatWithICU(number);
}

std::string ICUNumberFormat::formatWithICU(int64_t number) const {
  UErrorCode status = U_ZERO_ERROR;
  icu::UnicodeString text = formatter_->icu.formatInt(number, status).toString(status);
  std::string utf8;
  // ICU fails only without memory or data; plain decimals are then better than nothing.
  if (U_FAILURE(status)) return std::to_string(number);
  return text.toUTF8String(utf8);
}

}  // namespace platform::foundation
