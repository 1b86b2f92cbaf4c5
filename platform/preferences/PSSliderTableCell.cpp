#include "platform/preferences/PSSliderTableCell.h"

#include <cmath>

#include "platform/preferences/PSSpecifier.h"
#include "platform/runtime/Runtime.h"
#include "platform/uikit/UISlider.h"

namespace platform::preferences {

runtime::Class* PSSliderTableCell::runtimeClass() {
  return runtime::objc_registerClass("PSSliderTableCell", &PSControlTableCell::runtimeClass);
}

void PSSliderTableCell::initWithSpecifier(const PSSpecifier& specifier) {
  auto slider = uikit::UISlider::create();
  // A specifier list is checked when loaded: a slider's has a range.
  double min = specifier.propertyForKey("min")->doubleValue().value_or(0);
  double max = specifier.propertyForKey("max")->doubleValue().value_or(1);
  slider->setMinimumValue(static_cast<float>(min));
  slider->setMaximumValue(static_cast<float>(max));
  auto segmented = specifier.propertyForKey("isSegmented");
  auto count = specifier.propertyForKey("segmentCount");
  if (segmented && segmented->boolValue().value_or(false) && count && count->integerValue().value_or(0) > 0) {
    step_ = (max - min) / static_cast<double>(*count->integerValue());
  }
  setControl(slider);
}

std::optional<foundation::PropertyList> PSSliderTableCell::value() const {
  auto& slider = static_cast<uikit::UISlider&>(*control());
  double value = slider.value();
  if (step_) value = slider.minimumValue() + std::round((value - slider.minimumValue()) / *step_) * *step_;
  return value;
}

void PSSliderTableCell::setValue(const std::optional<foundation::PropertyList>& value) {
  auto number = value ? value->doubleValue() : std::nullopt;
  static_cast<uikit::UISlider&>(*control()).setValue(static_cast<float>(number.value_or(0)));
}

}  // namespace platform::preferences
