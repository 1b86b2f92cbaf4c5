#include "tweak/core/HostClasses.h"

#include "platform/runtime/Runtime.h"

namespace lunadoze {
namespace {

platform::runtime::Class* cachedClass(platform::runtime::Class*& cache, const char* name) {
  if (cache == nullptr) cache = platform::runtime::objc_getClass(name);
  return cache;
}

}  // namespace

platform::runtime::Class* SBMediaControllerClass() {
  static platform::runtime::Class* cache = nullptr;
  return cachedClass(cache, "SBMediaController");
}

platform::runtime::Class* SBBacklightControllerClass() {
  static platform::runtime::Class* cache = nullptr;
  return cachedClass(cache, "SBBacklightController");
}

}  // namespace lunadoze
