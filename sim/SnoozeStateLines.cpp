// The `snooze` and `snooze.left` lines. The snooze is the tweak's own state: the simulator reads it
// only through what the loaded library exports for that.
#include "sim/CommandGroups.h"
#include "sim/Simulator.h"
#include "sim/TweakInspection.h"

namespace lunadoze::sim {

void addSnoozeStateLines(Simulator& simulator) {
  TweakInspection tweak(simulator.device());
  simulator.state().provide("snooze", [tweak] { return tweak.snooze().snooze; });
  simulator.state().provide("snooze.left", [tweak] { return tweak.snooze().left; });
}

}  // namespace lunadoze::sim
