#include "platform/uikit/UIScreen.h"

#include "platform/runtime/Runtime.h"

namespace platform::uikit {

runtime::Class* UIScreen::runtimeClass() {
  return runtime::objc_registerClass("UIScreen", &runtime::NSObject::runtimeClass);
}

UIScreen& UIScreen::mainScreen() {
  static UIScreen screen;
  return screen;
}

}  // namespace platform::uikit
