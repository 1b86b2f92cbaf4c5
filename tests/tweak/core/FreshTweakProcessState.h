#pragma once

#include "tests/platform/springboard/FreshProcessState.h"
#include "tweak/wiring/TweakProcessState.h"

namespace lunadoze {

// The platform's and the tweak's process state as at start, on construction and on destruction;
// a fixture's first member.
class FreshTweakProcessState {
 public:
  FreshTweakProcessState() { TweakProcessState::reset(); }
  ~FreshTweakProcessState() { TweakProcessState::reset(); }
  FreshTweakProcessState(const FreshTweakProcessState&) = delete;
  FreshTweakProcessState& operator=(const FreshTweakProcessState&) = delete;

 private:
  platform::springboard::FreshProcessState platform_;
};

}  // namespace lunadoze
