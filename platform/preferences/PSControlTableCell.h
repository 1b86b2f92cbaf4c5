#pragma once

#include <memory>

#include "platform/preferences/PSTableCell.h"
#include "platform/uikit/UIControl.h"

namespace platform::preferences {

// A cell whose value is a control at its trailing end. When a person changes the control, the
// cell hands the control's value to the specifier's setter.
class PSControlTableCell : public PSTableCell {
  RUNTIME_CLASS(PSControlTableCell)

 public:
  const std::shared_ptr<uikit::UIControl>& control() const { return control_; }

 protected:
  // Makes the control the cell's accessory and listens to its changes.
  void setControl(std::shared_ptr<uikit::UIControl> control);

 private:
  void controlChanged();

  std::shared_ptr<uikit::UIControl> control_;
};

}  // namespace platform::preferences
