#include "platform/uikit/UIApplication.h"

#include <algorithm>

#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIWindow.h"

namespace platform::uikit {

runtime::Class* UIApplication::runtimeClass() {
  return runtime::objc_registerClass("UIApplication", &runtime::NSObject::runtimeClass);
}

UIApplication& UIApplication::sharedApplication() {
  static UIApplication application;
  return application;
}

std::shared_ptr<UIWindow> UIApplication::keyWindow() const {
  auto window = keyWindow_.lock();
  return window != nullptr && !window->isHidden() ? window : nullptr;
}

std::vector<std::shared_ptr<UIWindow>> UIApplication::windows() const {
  auto windows = windows_;
  std::ranges::stable_sort(windows, {}, &UIWindow::windowLevel);
  return windows;
}

void UIApplication::reset() {
  windows_.clear();
  keyWindow_.reset();
}

void UIApplication::windowDidBecomeVisible(const std::shared_ptr<UIWindow>& window) {
  if (window != nullptr && std::ranges::find(windows_, window) == windows_.end()) windows_.push_back(window);
}

void UIApplication::windowDidHide(const UIWindow* window) {
  auto found = std::ranges::find(windows_, window, &std::shared_ptr<UIWindow>::get);
  if (found == windows_.end()) return;
  // The list may hold the last reference: the window goes once it is out of the list.
  auto leaving = std::move(*found);
  windows_.erase(found);
}

}  // namespace platform::uikit
