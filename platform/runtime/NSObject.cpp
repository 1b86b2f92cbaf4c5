#include "platform/runtime/NSObject.h"

#include "platform/runtime/Runtime.h"

namespace platform::runtime {

Class* NSObject::runtimeClass() {
  return objc_registerClass("NSObject", nullptr);
}

bool NSObject::respondsToSelector(std::string_view selector) const {
  return class_respondsToSelector(isa(), selector);
}

bool NSObject::isKindOfClass(const Class* cls) const {
  return cls != nullptr && isa()->isSubclassOf(cls);
}

}  // namespace platform::runtime
