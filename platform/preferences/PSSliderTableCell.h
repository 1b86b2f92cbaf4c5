#pragma once

#include <optional>

#include "platform/preferences/PSControlTableCell.h"
#include "platform/settings/SettingRange.h"

namespace platform::preferences {

// A number in a UISlider from the specifier's "min" to its "max". With "isSegmented" the slider
// stops only at "segmentCount" equal steps of the range.
class PSSliderTableCell : public PSControlTableCell {
  RUNTIME_CLASS(PSSliderTableCell)

 public:
  // The slider row's numbers: from "min" to "max", at the "segmentCount" stops when it is segmented.
  // A list is checked when loaded: a slider row has both ends.
  static settings::SettingRange rangeForSpecifier(const PSSpecifier& specifier);

  // The distance between two stops; nullopt when the slider moves freely.
  std::optional<double> step() const { return step_; }

  std::optional<foundation::PropertyList> value() const override;
  void setValue(const std::optional<foundation::PropertyList>& value) override;

 protected:
  void initWithSpecifier(const PSSpecifier& specifier) override;

 private:
  std::optional<double> step_;
};

}  // namespace platform::preferences
