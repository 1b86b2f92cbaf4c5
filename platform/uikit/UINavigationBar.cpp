#include "platform/uikit/UINavigationBar.h"

#include "platform/runtime/Runtime.h"

namespace platform::uikit {

runtime::Class* UINavigationBar::runtimeClass() {
  return runtime::objc_registerClass("UINavigationBar", &UIView::runtimeClass);
}

std::shared_ptr<UINavigationBar> UINavigationBar::create(CGRect frame) {
  auto bar = UINavigationBar::alloc();
  bar->initWithFrame(frame);
  return bar;
}

}  // namespace platform::uikit
