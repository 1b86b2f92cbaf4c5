#pragma once

#include "platform/preferences/PSControlTableCell.h"

namespace platform::preferences {

// A boolean setting in a UISwitch.
class PSSwitchTableCell : public PSControlTableCell {
 public:
  static runtime::Class* runtimeClass();
  runtime::Class* isa() const override { return runtimeClass(); }

  std::optional<foundation::PropertyList> value() const override;
  void setValue(const std::optional<foundation::PropertyList>& value) override;

 protected:
  void initWithSpecifier(const PSSpecifier& specifier) override;
};

}  // namespace platform::preferences
