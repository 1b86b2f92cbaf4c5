#include "platform/foundation/NSNumberFormatter.h"

#include "platform/foundation/ICUNumberFormat.h"
#include "platform/runtime/Runtime.h"

namespace platform::foundation {

runtime::Class* NSNumberFormatter::runtimeClass() {
  return runtime::objc_registerClass("NSNumberFormatter", &runtime::NSObject::runtimeClass);
}

NSNumberFormatter::NSNumberFormatter() : locale_(NSLocale::currentLocale()) {}

NSNumberFormatter::~NSNumberFormatter() = default;

void NSNumberFormatter::setLocale(std::shared_ptr<NSLocale> locale) {
  locale_ = locale ? std::move(locale) : NSLocale::currentLocale();
  format_.reset();
}

std::string NSNumberFormatter::stringFromNumber(int64_t number) const {
  if (format_ == nullptr) format_ = ICUNumberFormat::forLocaleIdentifier(locale_->localeIdentifier());
  return format_->format(number);
}

}  // namespace platform::foundation
