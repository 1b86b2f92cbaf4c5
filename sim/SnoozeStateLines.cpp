// The `snooze` and `snooze.left` lines. The snooze is the tweak's own state: the simulator reads it
// only through the read-only function that the loaded library exports for that.
#include <dlfcn.h>

#include "sim/CommandGroups.h"
#include "sim/Device.h"
#include "sim/Simulator.h"
#include "tweak/engine/SnoozeState.h"

namespace lunadoze::sim {
namespace {

// An idle snooze while SpringBoard runs without the tweak.
SnoozeStateDescription describeSnooze(Device& device) {
  SnoozeStateDescription description{"idle", "-"};
  for (const auto& path : device.springBoard().loadedLibraries()) {
    if (path.filename() != "Lunadoze.dylib") continue;
    // The library is loaded already: this takes one more reference to it, given back below.
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (library == nullptr) break;
    auto describe = reinterpret_cast<decltype(&LunadozeDescribeSnoozeState)>(
        dlsym(library, "LunadozeDescribeSnoozeState"));
    if (describe != nullptr) describe(&description);
    dlclose(library);
  }
  return description;
}

}  // namespace

void addSnoozeStateLines(Simulator& simulator) {
  Device& device = simulator.device();
  simulator.state().provide("snooze", [&device] { return describeSnooze(device).snooze; });
  simulator.state().provide("snooze.left", [&device] { return describeSnooze(device).left; });
}

}  // namespace lunadoze::sim
