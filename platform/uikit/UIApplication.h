#pragma once

#include <memory>
#include <vector>

#include "platform/runtime/NSObject.h"

namespace platform::uikit {

class UIWindow;

// The running application: its visible windows and the key window.
class UIApplication : public runtime::NSObject {
  RUNTIME_CLASS(UIApplication)

 public:
  static UIApplication& sharedApplication();

  // The window that was last made key while it is visible, else null.
  std::shared_ptr<UIWindow> keyWindow() const;
  // The visible windows from the lowest level to the highest; at equal levels, the one made
  // visible last is above.
  std::vector<std::shared_ptr<UIWindow>> windows() const;

  // A process that ends: every window is let go.
  void reset();

 private:
  friend class UIWindow;

  void windowDidBecomeVisible(const std::shared_ptr<UIWindow>& window);
  void windowDidHide(const UIWindow* window);
  void setKeyWindow(const std::shared_ptr<UIWindow>& window) { keyWindow_ = window; }

  std::vector<std::shared_ptr<UIWindow>> windows_;
  std::weak_ptr<UIWindow> keyWindow_;
};

}  // namespace platform::uikit
