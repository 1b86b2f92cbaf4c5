#include "tweak/support/LocalizationHelper.h"

#include <algorithm>
#include <array>
#include <memory>

#include "platform/foundation/NSLocale.h"
#include "platform/foundation/NSNumberFormatter.h"

namespace lunadoze {

using platform::foundation::NSLocale;
using platform::foundation::NSNumberFormatter;

namespace {

// The language of the locale, not a substring of its identifier: "en_US@calendar=japanese"
// holds the letters "ar" but is English.
bool currentLanguageIs(std::string_view language) {
  return NSLocale::currentLocale()->languageCode() == language;
}

std::shared_ptr<NSNumberFormatter> arabicNumberFormatter() {
  auto formatter = NSNumberFormatter::alloc();
  formatter->setLocale(NSLocale::localeWithLocaleIdentifier("ar"));
  return formatter;
}

void replaceOccurrences(std::string& text, std::string_view target, std::string_view replacement) {
  for (size_t at = text.find(target); at != std::string::npos;
       at = text.find(target, at + replacement.size())) {
    text.replace(at, target.size(), replacement);
  }
}

// The length of the printf-style conversion at the start of `text` (just after a '%'), or 0 when
// it is none: an optional "N$" position, flags, width, precision, length and the conversion.
size_t placeholderLength(std::string_view text) {
  auto skip = [&](size_t at, std::string_view set) {
    while (at < text.size() && set.find(text[at]) != std::string_view::npos) ++at;
    return at;
  };
  size_t at = skip(0, "0123456789");
  at = at > 0 && at < text.size() && text[at] == '$' ? at + 1 : 0;
  at = skip(at, "-+ #0'");
  at = skip(at, "*0123456789");
  if (at < text.size() && text[at] == '.') at = skip(at + 1, "*0123456789");
  at = skip(at, "hlqLzjt");
  constexpr std::string_view kConversions = "@dDiuUxXoOeEfFgGaAcCsSp";
  return at < text.size() && kConversions.find(text[at]) != std::string_view::npos ? at + 1 : 0;
}

}  // namespace

bool LocalizationHelper::languageSupportsPlural() {
  constexpr std::array<std::string_view, 6> kWithoutPlural{"ar", "ko", "zh", "ms", "it", "de"};
  return std::ranges::none_of(kWithoutPlural, currentLanguageIs);
}

std::string LocalizationHelper::getLocalizedNumberStringFrom(int64_t number) {
  if (currentLanguageIs("ar")) return arabicNumberFormatter()->stringFromNumber(number);
  return std::to_string(number);
}

std::string LocalizationHelper::replaceNumbersWithLocalizedNumbersFromString(std::string string) {
  if (!currentLanguageIs("ar")) return string;
  auto formatter = arabicNumberFormatter();
  // One pass per digit; the Arabic digits hold no ASCII digit, so the passes cannot interfere.
  for (int digit = 0; digit <= 9; ++digit) {
    replaceOccurrences(string, std::to_string(digit), formatter->stringFromNumber(digit));
  }
  return string;
}

std::string LocalizationHelper::stringWithFormat(std::string_view format, std::string_view object) {
  std::string text;
  bool filled = false;
  for (size_t at = 0; at < format.size();) {
    size_t percent = format.find('%', at);
    text += format.substr(at, percent - at);
    if (percent == std::string_view::npos) break;
    std::string_view rest = format.substr(percent + 1);
    if (rest.starts_with('%')) {
      text += '%';
      at = percent + 2;
    } else if (size_t length = placeholderLength(rest); length != 0) {
      text += filled ? format.substr(percent, length + 1) : object;
      filled = true;
      at = percent + 1 + length;
    } else {
      text += '%';
      at = percent + 1;
    }
  }
  return text;
}

}  // namespace lunadoze
