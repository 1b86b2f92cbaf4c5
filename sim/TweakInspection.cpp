#include "sim/TweakInspection.h"

#include <dlfcn.h>

#include "sim/Device.h"

namespace lunadoze::sim {

template <typename Description>
void TweakInspection::describe(const char* symbol, Description& description) const {
  for (const auto& path : device_.springBoard().loadedLibraries()) {
    if (path.filename() != "Lunadoze.dylib") continue;
    // The library is loaded already: this takes one more reference to it, given back below.
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (library == nullptr) return;
    if (auto function = reinterpret_cast<void (*)(Description*)>(dlsym(library, symbol))) {
      function(&description);
    }
    dlclose(library);
    return;
  }
}

TweakViewsDescription TweakInspection::views() const {
  TweakViewsDescription description;
  describe("LunadozeDescribeViews", description);
  return description;
}

SnoozeStateDescription TweakInspection::snooze() const {
  SnoozeStateDescription description{"idle", "-"};
  describe("LunadozeDescribeSnoozeState", description);
  return description;
}

}  // namespace lunadoze::sim
