#include "sim/TweakViews.h"

#include <dlfcn.h>

#include "sim/Device.h"

namespace lunadoze::sim {

TweakViewsDescription describeTweakViews(Device& device) {
  TweakViewsDescription description;
  for (const auto& path : device.springBoard().loadedLibraries()) {
    if (path.filename() != "Lunadoze.dylib") continue;
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (library == nullptr) break;
    auto describe =
        reinterpret_cast<decltype(&LunadozeDescribeViews)>(dlsym(library, "LunadozeDescribeViews"));
    if (describe != nullptr) describe(&description);
    dlclose(library);
  }
  return description;
}

}  // namespace lunadoze::sim
