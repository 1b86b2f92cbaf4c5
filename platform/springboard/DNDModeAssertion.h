#pragma once

#include <memory>

#include "platform/runtime/NSObject.h"

namespace platform::springboard {

class DNDModeAssertionDetails;

// A Do Not Disturb assertion a client took. Dropping it does not end it: the user does.
class DNDModeAssertion : public runtime::NSObject {
  RUNTIME_CLASS_WITH_CONSTRUCTORS(DNDModeAssertion)
  explicit DNDModeAssertion(std::shared_ptr<DNDModeAssertionDetails> details)
      : details_(std::move(details)) {}

 public:
  const std::shared_ptr<DNDModeAssertionDetails>& details() const { return details_; }

 private:
  std::shared_ptr<DNDModeAssertionDetails> details_;
};

}  // namespace platform::springboard
