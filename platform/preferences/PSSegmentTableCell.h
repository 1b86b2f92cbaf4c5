#pragma once

#include <vector>

#include "platform/preferences/PSControlTableCell.h"

namespace platform::preferences {

// One of the specifier's "validValues" in a UISegmentedControl titled with its "validTitles".
class PSSegmentTableCell : public PSControlTableCell {
  RUNTIME_CLASS(PSSegmentTableCell)

 public:
  const std::vector<foundation::PropertyList>& values() const { return values_; }

  // The value of the selected segment; nil while none is selected.
  std::optional<foundation::PropertyList> value() const override;
  // Selects the segment of an equal value (numbers compare by their value), else none.
  void setValue(const std::optional<foundation::PropertyList>& value) override;

 protected:
  void initWithSpecifier(const PSSpecifier& specifier) override;

 private:
  std::vector<foundation::PropertyList> values_;
};

}  // namespace platform::preferences
