#pragma once

#include "platform/springboard/simulation/ProcessState.h"

namespace platform::springboard {

// The platform's process state as at start, on construction and again on destruction: a fixture's
// first member, so that a case neither sees nor leaves behind another's classes, run loop events,
// observers, locale or log, whatever order the cases run in.
class FreshProcessState {
 public:
  FreshProcessState() { ProcessState::reset(); }
  ~FreshProcessState() { ProcessState::reset(); }
  FreshProcessState(const FreshProcessState&) = delete;
  FreshProcessState& operator=(const FreshProcessState&) = delete;
};

}  // namespace platform::springboard
