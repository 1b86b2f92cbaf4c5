#include "platform/foundation/NSLocale.h"

#include <algorithm>
#include <cctype>

#include "platform/runtime/Runtime.h"

namespace platform::foundation {
namespace {

std::shared_ptr<NSLocale>& current() {
  static std::shared_ptr<NSLocale> locale = std::make_shared<NSLocale>("en_US");
  return locale;
}

bool isScript(std::string_view field) {
  return field.size() == 4 && std::ranges::all_of(field, [](char c) { return std::isalpha(c) != 0; });
}

}  // namespace

NSLocale::NSLocale(std::string identifier) : identifier_(std::move(identifier)) {
  // Fields are separated by '_' or '-'; keywords after '@' ("@calendar=...") are none of them.
  std::string_view rest = std::string_view(identifier_).substr(0, identifier_.find('@'));
  auto next = [&rest] {
    std::string_view field = rest.substr(0, rest.find_first_of("_-"));
    rest.remove_prefix(std::min(rest.size(), field.size() + 1));
    return field;
  };
  languageCode_ = next();
  std::string_view field = next();
  if (isScript(field)) {
    scriptCode_ = field;
    field = next();
  }
  countryCode_ = field;
}

runtime::Class* NSLocale::runtimeClass() {
  return runtime::objc_registerClass("NSLocale", &runtime::NSObject::runtimeClass);
}

std::shared_ptr<NSLocale> NSLocale::currentLocale() {
  return current();
}

std::shared_ptr<NSLocale> NSLocale::localeWithLocaleIdentifier(std::string_view identifier) {
  return std::make_shared<NSLocale>(std::string(identifier));
}

void NSLocale::setCurrentLocaleIdentifier(std::string_view identifier) {
  current() = localeWithLocaleIdentifier(identifier);
}

}  // namespace platform::foundation
