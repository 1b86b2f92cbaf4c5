#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/foundation/NSLocale.h"
#include "platform/runtime/NSObject.h"

namespace platform::foundation {

class ICUNumberFormat;

// A number formatter of the default style (no grouping, no fraction digits), backed by ICU: it
// writes numbers in the digits and signs of its locale's default numbering system, as on the
// device (Arabic-Indic digits for "ar", Latin ones for "ar_MA" or "en_US").
class NSNumberFormatter : public runtime::NSObject {
  RUNTIME_CLASS_WITH_CONSTRUCTORS(NSNumberFormatter)
  // [NSNumberFormatter new]: the current locale's formatter.
  NSNumberFormatter();

 public:
  ~NSNumberFormatter() override;

  const std::shared_ptr<NSLocale>& locale() const { return locale_; }
  // nil stands for the current locale, as on the device.
  void setLocale(std::shared_ptr<NSLocale> locale);

  // Takes the integer that the device wraps in an NSNumber.
  std::string stringFromNumber(int64_t number) const;

 private:
  std::shared_ptr<NSLocale> locale_;
  // The locale's ICU formatter, found on first use.
  mutable std::shared_ptr<const ICUNumberFormat> format_;
};

}  // namespace platform::foundation
