#pragma once

#include <string>

namespace lunadoze {

// What a snooze is doing, as the device's state shows it: `snooze` is "idle", "time", "song-end",
// "fading" or "songs"; `left` the remaining time in time mode, the remaining songs in songs mode,
// else "-".
struct SnoozeStateDescription {
  std::string snooze;
  std::string left;
};

}  // namespace lunadoze

// Read-only, for a host that loaded the library and finds the function by this name.
extern "C" void LunadozeDescribeSnoozeState(lunadoze::SnoozeStateDescription* description);
