#pragma once

#include <optional>

#include "platform/foundation/PropertyList.h"

namespace platform::settings {

// The values a number setting offers, as the product declares them: from minimum to maximum, at
// whole steps from the minimum when there is a step. Every reader of the setting reads a stored
// value through the same range, so that none of them acts on a value another one shows otherwise.
class SettingRange {
 public:
  constexpr SettingRange(double minimum, double maximum, std::optional<double> step = std::nullopt)
      : minimum_(minimum), maximum_(maximum), step_(step) {}

  double minimum() const { return minimum_; }
  double maximum() const { return maximum_; }
  const std::optional<double>& step() const { return step_; }

  // The stored value's number (read as Foundation reads it, text included) moved to the nearest
  // value the range offers. Nothing when it has no number to offer: NaN, an infinity, or a kind
  // without a numeric reading (data, an array...); the setting's default applies then.
  std::optional<double> read(const foundation::PropertyList& stored) const;

 private:
  double minimum_;
  double maximum_;
  std::optional<double> step_;
};

}  // namespace platform::settings
