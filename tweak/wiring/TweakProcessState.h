#pragma once

namespace lunadoze {

// The tweak's process-wide variables, in one place: the settings, the snooze state, the view
// references, the saved host implementations and the shared helpers go back to their values at load. On the
// device a respring loads the library anew; a test process that loads the tweak case after case resets them
// here instead.
class TweakProcessState {
 public:
  static void reset();
};

}  // namespace lunadoze
