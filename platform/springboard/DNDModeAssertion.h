#pragma once

#include <memory>

#include "platform/runtime/NSObject.h"

namespace platform::springboard {

class DNDModeAssertionDetails;

// A Do Not Disturb assertion a client took. Dropping it does not end it: the user does.
class DNDModeAssertion : public runtime::NSObject {
 public:
  static runtime::Class* runtimeClass();
  runtime::Class* isa() const override { return runtimeClass(); }

  explicit DNDModeAssertion(std::shared_ptr<DNDModeAssertionDetails> details)
      : details_(std::move(details)) {}

  const std::shared_ptr<DNDModeAssertionDetails>& details() const { return details_; }

 private:
  std::shared_ptr<DNDModeAssertionDetails> details_;
};

}  // namespace platform::springboard
