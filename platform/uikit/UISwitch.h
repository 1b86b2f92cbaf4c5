#pragma once

#include <memory>

#include "platform/uikit/UIControl.h"

namespace platform::uikit {

// An on/off switch. A person's toggle sends UIControlEventValueChanged; setOn does not.
class UISwitch : public UIControl {
  RUNTIME_CLASS(UISwitch)

 public:
  static std::shared_ptr<UISwitch> create(CGRect frame = CGRectZero);

  bool isOn() const { return on_; }
  void setOn(bool on, bool animated = false);

 private:
  bool on_ = false;
};

}  // namespace platform::uikit
