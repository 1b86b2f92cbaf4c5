#include "platform/springboard/DNDModeAssertionService.h"

#include "platform/runtime/Runtime.h"
#include "platform/springboard/DNDModeAssertion.h"
#include "platform/springboard/DNDModeAssertionDetails.h"
#include "platform/springboard/simulation/Phone.h"
#include "platform/springboard/simulation/SpringBoard.h"

namespace platform::springboard {

runtime::Class* DNDModeAssertionService::runtimeClass() {
  return runtime::objc_registerClass("DNDModeAssertionService", &NSObject::runtimeClass);
}

std::shared_ptr<DNDModeAssertionService> DNDModeAssertionService::serviceForClientIdentifier(
    std::string clientIdentifier) {
  Phone* phone = SpringBoard::runningPhoneWithClass("DNDModeAssertionService");
  return phone ? DNDModeAssertionService::alloc(*phone, std::move(clientIdentifier)) : nullptr;
}

std::shared_ptr<DNDModeAssertion> DNDModeAssertionService::takeModeAssertionWithDetails(
    std::shared_ptr<DNDModeAssertionDetails> details, std::shared_ptr<runtime::NSObject>* /*error*/) {
  if (details == nullptr) return nullptr;
  phone_.addModeAssertion({clientIdentifier_, details->identifier(), details->modeIdentifier()});
  return DNDModeAssertion::alloc(std::move(details));
}

}  // namespace platform::springboard
