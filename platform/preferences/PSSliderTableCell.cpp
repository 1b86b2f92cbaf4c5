#include "platform/preferences/PSSliderTableCell.h"

#include <cmath>

#include "platform/preferences/PSSpecifier.h"
#include "platform/runtime/Runtime.h"
#include "platform/uikit/UISlider.h"

namespace platform::preferences {

runtime::Class* PSSliderTableCell::runtimeClass() {
  return runtime::objc_registerClass("PSSliderTableCell", &PSControlTableCell::runtimeClass);
}

settings::SettingRange PSSliderTableCell::rangeForSpecifier(const PSSpecifier& specifier) {
  auto end = [&specifier](const char* name, double fallback) {
    auto value = specifier.propertyForKey(name);
    return value ? value->doubleValue().value_or(fallback) : fallback;
  };
  double min = end("min", 0);
  double max = end("max", 1);
  std::optional<double> step;
  auto segmented = specifier.propertyForKey("isSegmented");
  auto count = specifier.propertyForKey("segmentCount");
  if (segmented && segmented->boolValue().value_or(false) && count && count->integerValue().value_or(0) > 0) {
    step = (max - min) / static_cast<double>(*count->integerValue());
  }
  return settings::SettingRange(min, max, step);
}

void PSSliderTableCell::initWithSpecifier(const PSSpecifier& specifier) {
  auto slider = uikit::UISlider::create();
  auto range = rangeForSpecifier(specifier);
  slider->setMinimumValue(static_cast<float>(range.minimum()));
  slider->setMaximumValue(static_cast<float>(range.maximum()));
  step_ = range.step();
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
