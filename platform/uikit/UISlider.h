#pragma once

#include <memory>

#include "platform/uikit/UIControl.h"

namespace platform::uikit {

// A value picked along a track from minimumValue to maximumValue (0 to 1 unless set).
class UISlider : public UIControl {
  RUNTIME_CLASS(UISlider)

 public:
  static std::shared_ptr<UISlider> create(CGRect frame = CGRectZero);

  float value() const { return value_; }
  // Clamped to the range, as the track cannot go past its ends.
  void setValue(float value, bool animated = false);
  float minimumValue() const { return minimumValue_; }
  void setMinimumValue(float value);
  float maximumValue() const { return maximumValue_; }
  void setMaximumValue(float value);

 private:
  float value_ = 0;
  float minimumValue_ = 0;
  float maximumValue_ = 1;
};

}  // namespace platform::uikit
