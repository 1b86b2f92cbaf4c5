#include "platform/foundation/NSLocale.h"

#include <unicode/locid.h>

#include <array>

#include "platform/runtime/Runtime.h"

namespace platform::foundation {
namespace {

std::shared_ptr<NSLocale>& current() {
  static std::shared_ptr<NSLocale> locale = NSLocale::alloc("en_US");
  return locale;
}

}  // namespace

NSLocale::NSLocale(std::string identifier) : identifier_(std::move(identifier)) {
  // ICU takes '-' and '_' alike as separators and reads keywords after '@'. An identifier it
  // cannot read (one with a NUL, or far too long) is bogus and has no parts.
  icu::Locale locale(identifier_.find('\0') == std::string::npos ? identifier_.c_str() : "");
  if (locale.isBogus()) return;
  languageCode_ = locale.getLanguage();
  scriptCode_ = locale.getScript();
  countryCode_ = locale.getCountry();
  std::array<char, ULOC_KEYWORDS_CAPACITY> calendar{};
  UErrorCode status = U_ZERO_ERROR;
  int32_t length = locale.getKeywordValue("calendar", calendar.data(), calendar.size(), status);
  if (U_SUCCESS(status) && length > 0) calendarIdentifier_.assign(calendar.data(), length);
}

runtime::Class* NSLocale::runtimeClass() {
  return runtime::objc_registerClass("NSLocale", &runtime::NSObject::runtimeClass);
}

std::shared_ptr<NSLocale> NSLocale::currentLocale() {
  return current();
}

std::shared_ptr<NSLocale> NSLocale::localeWithLocaleIdentifier(std::string_view identifier) {
  return NSLocale::alloc(std::string(identifier));
}

void NSLocale::setCurrentLocaleIdentifier(std::string_view identifier) {
  current() = localeWithLocaleIdentifier(identifier);
}

}  // namespace platform::foundation
