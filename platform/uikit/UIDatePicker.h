#pragma once

#include <memory>

#include "platform/uikit/UIControl.h"

namespace platform::uikit {

class UIColor;

enum UIDatePickerMode : int64_t {
  UIDatePickerModeTime = 0,
  UIDatePickerModeDate = 1,
  UIDatePickerModeDateAndTime = 2,
  UIDatePickerModeCountDownTimer = 3,
};

// The date picker, as far as its count-down mode goes: a duration of hours and minutes in steps
// of minuteInterval. The person's turn of the wheels sets countDownDuration and sends
// value-changed. It has no setHighlightsToday: (callers ask respondsToSelector: first).
class UIDatePicker : public UIControl {
  RUNTIME_CLASS(UIDatePicker)

 public:
  // The longest count-down the wheels offer: 23 hours 59 minutes.
  static constexpr double kMaximumCountDownDuration = 23 * 3600 + 59 * 60;

  static std::shared_ptr<UIDatePicker> create(CGRect frame = CGRectZero);

  void initWithCoder(UINibDecoder& coder) override;

  UIDatePickerMode datePickerMode() const { return datePickerMode_; }
  void setDatePickerMode(UIDatePickerMode mode) { datePickerMode_ = mode; }
  int64_t minuteInterval() const { return minuteInterval_; }
  // Takes intervals from 1 to 30 that divide 60; any other value leaves the interval as it was.
  void setMinuteInterval(int64_t interval);
  // Seconds, from 0 to kMaximumCountDownDuration.
  double countDownDuration() const { return countDownDuration_; }
  void setCountDownDuration(double seconds);

  // The private text colour of the wheels.
  void _setTextColor(std::shared_ptr<UIColor> color);
  const std::shared_ptr<UIColor>& _textColor() const { return textColor_; }

 private:
  UIDatePickerMode datePickerMode_ = UIDatePickerModeDateAndTime;
  int64_t minuteInterval_ = 1;
  double countDownDuration_ = 0;
  std::shared_ptr<UIColor> textColor_;
};

}  // namespace platform::uikit
