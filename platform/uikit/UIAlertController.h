#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/uikit/UIViewController.h"

namespace platform::uikit {

class UIAlertAction;
class UIButton;

enum UIAlertControllerStyle : int64_t {
  UIAlertControllerStyleActionSheet = 0,
  UIAlertControllerStyleAlert = 1,
};

// An alert: a title, a message and one button per action. A tap on a button dismisses the alert
// and, once it is gone, runs the action's handler.
class UIAlertController : public UIViewController {
  RUNTIME_CLASS(UIAlertController)

 public:
  static std::shared_ptr<UIAlertController> alertControllerWithTitle(std::string title, std::string message,
                                                                     UIAlertControllerStyle preferredStyle);

  const std::string& message() const { return message_; }
  UIAlertControllerStyle preferredStyle() const { return preferredStyle_; }
  const std::vector<std::shared_ptr<UIAlertAction>>& actions() const { return actions_; }
  void addAction(std::shared_ptr<UIAlertAction> action);

  // The button that shows the action in the alert's view, or null before the view is loaded.
  std::shared_ptr<UIButton> buttonForAction(const UIAlertAction* action) const;

 private:
  void makeContent();
  void actionButtonTapped(runtime::id sender);

  std::string message_;
  UIAlertControllerStyle preferredStyle_ = UIAlertControllerStyleAlert;
  std::vector<std::shared_ptr<UIAlertAction>> actions_;
  std::vector<std::shared_ptr<UIButton>> buttons_;
};

}  // namespace platform::uikit
