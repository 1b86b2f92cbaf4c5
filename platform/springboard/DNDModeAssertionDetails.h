#pragma once

#include <memory>
#include <string>

#include "platform/runtime/NSObject.h"

namespace platform::springboard {

// What a Do Not Disturb assertion asks for: which mode, for how long. System version 12.0 on.
class DNDModeAssertionDetails : public runtime::NSObject {
  RUNTIME_CLASS_WITH_CONSTRUCTORS(DNDModeAssertionDetails)
  DNDModeAssertionDetails(std::string identifier, std::string modeIdentifier,
                          std::shared_ptr<runtime::NSObject> lifetime)
      : identifier_(std::move(identifier)),
        modeIdentifier_(std::move(modeIdentifier)),
        lifetime_(std::move(lifetime)) {}

 public:
  // A user's request; a null lifetime holds until the user ends it. Nil where the running system
  // has no such class.
  static std::shared_ptr<DNDModeAssertionDetails> userRequestedAssertionDetailsWithIdentifier(
      std::string identifier, std::string modeIdentifier, std::shared_ptr<runtime::NSObject> lifetime);

  const std::string& identifier() const { return identifier_; }
  const std::string& modeIdentifier() const { return modeIdentifier_; }
  const std::shared_ptr<runtime::NSObject>& lifetime() const { return lifetime_; }

 private:
  std::string identifier_;
  std::string modeIdentifier_;
  std::shared_ptr<runtime::NSObject> lifetime_;
};

}  // namespace platform::springboard
