#pragma once

#include "platform/preferences/PSControlTableCell.h"

namespace platform::preferences {

// A boolean setting in a UISwitch.
class PSSwitchTableCell : public PSControlTableCell {
  RUNTIME_CLASS(PSSwitchTableCell)

 public:
  std::optional<foundation::PropertyList> value() const override;
  void setValue(const std::optional<foundation::PropertyList>& value) override;

 protected:
  void initWithSpecifier(const PSSpecifier& specifier) override;
};

}  // namespace platform::preferences
