#include "platform/settings/SettingRange.h"

#include <algorithm>
#include <cmath>

namespace platform::settings {

std::optional<double> SettingRange::read(const foundation::PropertyList& stored) const {
  auto number = stored.doubleValue();
  if (!number || !std::isfinite(*number)) return std::nullopt;
  double value = std::clamp(*number, minimum_, maximum_);
  if (step_ && *step_ > 0) {
    value = minimum_ + std::round((value - minimum_) / *step_) * *step_;
    if (value > maximum_) value -= *step_;  // the maximum is no stop: the last one below it
  }
  return value;
}

}  // namespace platform::settings
