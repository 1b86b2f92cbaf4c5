#include "platform/springboard/DNDModeAssertionDetails.h"

#include "platform/runtime/Runtime.h"

namespace platform::springboard {

runtime::Class* DNDModeAssertionDetails::runtimeClass() {
  return runtime::objc_registerClass("DNDModeAssertionDetails", &NSObject::runtimeClass);
}

std::shared_ptr<DNDModeAssertionDetails> DNDModeAssertionDetails::userRequestedAssertionDetailsWithIdentifier(
    std::string identifier, std::string modeIdentifier, std::shared_ptr<runtime::NSObject> lifetime) {
  if (runtime::objc_getClass("DNDModeAssertionDetails") == nullptr) return nullptr;
  return DNDModeAssertionDetails::alloc(std::move(identifier), std::move(modeIdentifier),
                                        std::move(lifetime));
}

}  // namespace platform::springboard
