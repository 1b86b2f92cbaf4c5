#include "platform/uikit/UIDatePicker.h"

#include <algorithm>
#include <cmath>

#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UINibDecoder.h"

namespace platform::uikit {

runtime::Class* UIDatePicker::runtimeClass() {
  return runtime::objc_registerClass("UIDatePicker", &UIControl::runtimeClass, [](runtime::Class* cls) {
    runtime::class_addMethod(cls, selectors::_setTextColor,
                             [](runtime::id self, std::shared_ptr<UIColor> color) {
                               runtime::downcast<UIDatePicker>(self)->textColor_ = std::move(color);
                             });
  });
}

std::shared_ptr<UIDatePicker> UIDatePicker::create(CGRect frame) {
  auto picker = UIDatePicker::alloc();
  picker->initWithFrame(frame);
  return picker;
}

void UIDatePicker::initWithCoder(UINibDecoder& coder) {
  UIControl::initWithCoder(coder);
  datePickerMode_ = UIDatePickerMode(coder.decodeIntegerForKey("datePickerMode", datePickerMode_));
  setMinuteInterval(coder.decodeIntegerForKey("minuteInterval", minuteInterval_));
  setCountDownDuration(coder.decodeDoubleForKey("countDownDuration", countDownDuration_));
}

void UIDatePicker::setMinuteInterval(int64_t interval) {
  if (interval >= 1 && interval <= 30 && 60 % interval == 0) minuteInterval_ = interval;
}

void UIDatePicker::setCountDownDuration(double seconds) {
  countDownDuration_ = std::isnan(seconds) ? 0 : std::clamp(seconds, 0.0, kMaximumCountDownDuration);
}

void UIDatePicker::_setTextColor(std::shared_ptr<UIColor> color) {
  runtime::send(this, selectors::_setTextColor, std::move(color));
}

}  // namespace platform::uikit
