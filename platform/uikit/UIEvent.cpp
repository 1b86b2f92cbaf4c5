#include "platform/uikit/UIEvent.h"

#include "platform/runtime/Runtime.h"

namespace platform::uikit {

runtime::Class* UIEvent::runtimeClass() {
  return runtime::objc_registerClass("UIEvent", &runtime::NSObject::runtimeClass);
}

}  // namespace platform::uikit
