#include "platform/preferences/PSSwitchTableCell.h"

#include "platform/runtime/Runtime.h"
#include "platform/uikit/UISwitch.h"

namespace platform::preferences {

runtime::Class* PSSwitchTableCell::runtimeClass() {
  return runtime::objc_registerClass("PSSwitchTableCell", &PSControlTableCell::runtimeClass);
}

void PSSwitchTableCell::initWithSpecifier(const PSSpecifier&) {
  setControl(uikit::UISwitch::create());
}

std::optional<foundation::PropertyList> PSSwitchTableCell::value() const {
  return static_cast<uikit::UISwitch&>(*control()).isOn();
}

void PSSwitchTableCell::setValue(const std::optional<foundation::PropertyList>& value) {
  static_cast<uikit::UISwitch&>(*control()).setOn(value && value->boolValue().value_or(false));
}

}  // namespace platform::preferences
