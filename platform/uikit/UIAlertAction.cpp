#include "platform/uikit/UIAlertAction.h"

#include "platform/runtime/Runtime.h"

namespace platform::uikit {

runtime::Class* UIAlertAction::runtimeClass() {
  return runtime::objc_registerClass("UIAlertAction", &runtime::NSObject::runtimeClass);
}

UIAlertAction::UIAlertAction(std::string title, UIAlertActionStyle style, Handler handler)
    : title_(std::move(title)), style_(style), handler_(std::move(handler)) {}

std::shared_ptr<UIAlertAction> UIAlertAction::actionWithTitle(std::string title, UIAlertActionStyle style,
                                                              Handler handler) {
  return UIAlertAction::alloc(std::move(title), style, std::move(handler));
}

}  // namespace platform::uikit
