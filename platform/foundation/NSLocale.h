#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/runtime/NSObject.h"

namespace platform::foundation {

// A locale named by its identifier ("en_US", "ar_SA", "zh-Hans_CN", "en_US@calendar=japanese"),
// read as ICU reads it. Immutable, as on the device.
class NSLocale : public runtime::NSObject {
  RUNTIME_CLASS_WITH_CONSTRUCTORS(NSLocale)
  explicit NSLocale(std::string identifier);

 public:
  // The user's locale: "en_US" until the device is set to another.
  static std::shared_ptr<NSLocale> currentLocale();
  static std::shared_ptr<NSLocale> localeWithLocaleIdentifier(std::string_view identifier);
  // The device's region setting; currentLocale() reports it from then on.
  static void setCurrentLocaleIdentifier(std::string_view identifier);

  // The identifier as it was given.
  const std::string& localeIdentifier() const { return identifier_; }
  // The parts of the identifier: "zh", "Hans" and "CN" of "zh-Hans_CN"; "" for a part it lacks.
  // Keywords ("@calendar=japanese", "@rg=gbzzzz") are none of them.
  const std::string& languageCode() const { return languageCode_; }
  const std::string& scriptCode() const { return scriptCode_; }
  const std::string& countryCode() const { return countryCode_; }
  // The "calendar" keyword ("japanese", "buddhist"), "gregorian" when there is none.
  const std::string& calendarIdentifier() const { return calendarIdentifier_; }

 private:
  std::string identifier_;
  std::string languageCode_;
  std::string scriptCode_;
  std::string countryCode_;
  std::string calendarIdentifier_ = "gregorian";
};

}  // namespace platform::foundation
