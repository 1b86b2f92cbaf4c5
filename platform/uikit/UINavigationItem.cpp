#include "platform/uikit/UINavigationItem.h"

#include "platform/runtime/Runtime.h"

namespace platform::uikit {

runtime::Class* UINavigationItem::runtimeClass() {
  return runtime::objc_registerClass("UINavigationItem", &runtime::NSObject::runtimeClass);
}

}  // namespace platform::uikit
