#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lunadoze {

// Numbers and digit strings in the user's numbering system. The one special case: a locale whose
// language is Arabic gets the digits of the "ar" locale; every other keeps ASCII.
class LocalizationHelper {
 public:
  LocalizationHelper() = delete;

  // NO for the languages whose plural forms "N_SONG"-style texts cannot express.
  static bool languageSupportsPlural();
  static std::string getLocalizedNumberStringFrom(int64_t number);
  // Only the digits change; separators such as the colon stay.
  static std::string replaceNumbersWithLocalizedNumbersFromString(std::string string);

  // Fills a translated format of one object placeholder ("%@ songs left") with `object`. The
  // object takes the place of the first placeholder, whatever its kind, and "%%" reads as "%";
  // everything else stays as written. A translation never reaches a printf-style formatter,
  // so a wrong or extra placeholder in it shows as text instead of reading arguments that
  // were never passed.
  static std::string stringWithFormat(std::string_view format, std::string_view object);
};

}  // namespace lunadoze
