#include "platform/uikit/UITextField.h"

#include "platform/runtime/Runtime.h"

namespace platform::uikit {

runtime::Class* UITextField::runtimeClass() {
  return runtime::objc_registerClass("UITextField", &UIControl::runtimeClass);
}

std::shared_ptr<UITextField> UITextField::create(CGRect frame) {
  auto field = UITextField::alloc();
  field->initWithFrame(frame);
  return field;
}

}  // namespace platform::uikit
