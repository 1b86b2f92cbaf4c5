#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/foundation/NSLocale.h"
#include "platform/runtime/NSObject.h"

namespace platform::foundation {

// A number formatter of the default style (no grouping, no fraction digits). It writes numbers
// in the digits of its locale's default numbering system: Arabic-Indic for Arabic, as on the
// device, and ASCII digits for the other locales.
class NSNumberFormatter : public runtime::NSObject {
 public:
  static runtime::Class* runtimeClass();
  runtime::Class* isa() const override { return runtimeClass(); }

  // [NSNumberFormatter new]: the current locale's formatter.
  NSNumberFormatter() : locale_(NSLocale::currentLocale()) {}

  const std::shared_ptr<NSLocale>& locale() const { return locale_; }
  // nil stands for the current locale, as on the device.
  void setLocale(std::shared_ptr<NSLocale> locale);

  // Takes the integer that the device wraps in an NSNumber.
  std::string stringFromNumber(int64_t number) const;

 private:
  std::shared_ptr<NSLocale> locale_;
};

}  // namespace platform::foundation
