#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/runtime/NSObject.h"

namespace platform::uikit {

enum UIAlertActionStyle : int64_t {
  UIAlertActionStyleDefault = 0,
  UIAlertActionStyleCancel = 1,
  UIAlertActionStyleDestructive = 2,
};

// A button of an alert: its title, style and the handler that runs when it is tapped.
class UIAlertAction : public runtime::NSObject {
  RUNTIME_CLASS_WITH_CONSTRUCTORS(UIAlertAction)

 public:
  using Handler = std::function<void(UIAlertAction* action)>;

  // The handler may be empty.
  static std::shared_ptr<UIAlertAction> actionWithTitle(std::string title, UIAlertActionStyle style,
                                                        Handler handler);

  const std::string& title() const { return title_; }
  UIAlertActionStyle style() const { return style_; }
  bool isEnabled() const { return enabled_; }
  void setEnabled(bool enabled) { enabled_ = enabled; }
  const Handler& handler() const { return handler_; }

 private:
  UIAlertAction(std::string title, UIAlertActionStyle style, Handler handler);

  std::string title_;
  UIAlertActionStyle style_;
  bool enabled_ = true;
  Handler handler_;
};

}  // namespace platform::uikit
