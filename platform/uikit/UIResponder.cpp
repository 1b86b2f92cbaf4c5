#include "platform/uikit/UIResponder.h"

#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIKitSelectors.h"

namespace platform::uikit {

runtime::Class* UIResponder::runtimeClass() {
  return runtime::objc_registerClass(
      "UIResponder", &runtime::NSObject::runtimeClass, [](runtime::Class* cls) {
        runtime::class_addMethod(cls, selectors::touchesBegan, [](runtime::id self, UIEvent* event) {
          runtime::send(runtime::downcast<UIResponder>(self)->nextResponder(), selectors::touchesBegan,
                        event);
        });
        runtime::class_addMethod(cls, selectors::touchesEnded, [](runtime::id self, UIEvent* event) {
          runtime::send(runtime::downcast<UIResponder>(self)->nextResponder(), selectors::touchesEnded,
                        event);
        });
      });
}

void UIResponder::touchesBegan(UIEvent* event) {
  runtime::send(this, selectors::touchesBegan, event);
}

void UIResponder::touchesEnded(UIEvent* event) {
  runtime::send(this, selectors::touchesEnded, event);
}

bool UIResponder::setValueForOutlet(std::string_view, const std::shared_ptr<runtime::NSObject>&) {
  return false;
}

}  // namespace platform::uikit
