#include "platform/springboard/DNDModeAssertion.h"

#include "platform/runtime/Runtime.h"

namespace platform::springboard {

runtime::Class* DNDModeAssertion::runtimeClass() {
  return runtime::objc_registerClass("DNDModeAssertion", &NSObject::runtimeClass);
}

}  // namespace platform::springboard
