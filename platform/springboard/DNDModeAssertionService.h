#pragma once

#include <memory>
#include <string>

#include "platform/runtime/NSObject.h"

namespace platform::springboard {

class Phone;
class DNDModeAssertion;
class DNDModeAssertionDetails;

// Do Not Disturb's assertion service, from system version 12.0 on. An assertion of the default
// mode ("com.apple.donotdisturb.mode.default") turns Do Not Disturb on; the device records every
// assertion taken.
class DNDModeAssertionService : public runtime::NSObject {
  RUNTIME_CLASS_WITH_CONSTRUCTORS(DNDModeAssertionService)
  DNDModeAssertionService(Phone& phone, std::string clientIdentifier)
      : phone_(phone), clientIdentifier_(std::move(clientIdentifier)) {}

 public:
  // A service for the client; nil where no SpringBoard runs or its system has no such class.
  static std::shared_ptr<DNDModeAssertionService> serviceForClientIdentifier(std::string clientIdentifier);

  const std::string& clientIdentifier() const { return clientIdentifier_; }

  // Nil details take nothing (nil). Taking an assertion does not fail here: `error` is left as
  // it is.
  std::shared_ptr<DNDModeAssertion> takeModeAssertionWithDetails(
      std::shared_ptr<DNDModeAssertionDetails> details, std::shared_ptr<runtime::NSObject>* error);

 private:
  Phone& phone_;
  std::string clientIdentifier_;
};

}  // namespace platform::springboard
