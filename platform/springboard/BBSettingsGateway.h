#pragma once

#include <cstdint>
#include <memory>

#include "platform/runtime/NSObject.h"

namespace platform::springboard {

class Phone;

// The bulletin board's settings: the behaviour override that is Do Not Disturb on systems
// without the mode assertion service.
class BBSettingsGateway : public runtime::NSObject {
  RUNTIME_CLASS_WITH_CONSTRUCTORS(BBSettingsGateway)
  explicit BBSettingsGateway(Phone& phone) : phone_(phone) {}

 public:
  // alloc init; nil when no SpringBoard runs.
  static std::shared_ptr<BBSettingsGateway> create();

  // 1 turns Do Not Disturb on, 0 off.
  void setBehaviorOverrideStatus(int64_t status);

 private:
  Phone& phone_;
};

}  // namespace platform::springboard
