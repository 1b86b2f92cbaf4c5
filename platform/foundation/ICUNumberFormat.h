#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace platform::foundation {

// ICU's formatter for whole numbers without grouping in one locale, the style of a new
// NSNumberFormatter. Making one loads the locale's data and formatting takes microseconds, so
// each locale's formatter is made once per process and shared, and the texts of 0 to 9 (what a
// clock text is rewritten with, digit by digit) are formatted once.
class ICUNumberFormat {
 public:
  // The formatter of the locale identifier, made on the first request.
  static std::shared_ptr<const ICUNumberFormat> forLocaleIdentifier(std::string_view identifier);

  std::string format(int64_t number) const;

  explicit ICUNumberFormat(const std::string& identifier);
  ~ICUNumberFormat();

 private:
  std::string formatWithICU(int64_t number) const;

  struct Formatter;
  std::unique_ptr<const Formatter> formatter_;
  std::array<std::string, 10> digits_;
};

}  // namespace platform::foundation
