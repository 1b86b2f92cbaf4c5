#include "sim/Simulator.h"

#include "platform/foundation/NSRunLoop.h"
#include "sim/CommandGroups.h"

namespace lunadoze::sim {

using platform::foundation::NSRunLoop;

Simulator::Simulator(const std::optional<std::filesystem::path>& root, bool realtime)
    : device_(root, realtime), watcher_(state_, [this] { return device_.clock(); }) {
  for (auto addGroup : kCommandGroups) addGroup(*this);
  NSRunLoop::mainRunLoop().setEventObserver([this] { observe(); });
}

Simulator::~Simulator() {
  NSRunLoop::mainRunLoop().setEventObserver({});
}

void Simulator::observe() {
  device_.logClock().update(device_.clock());
  watcher_.check();
}

}  // namespace lunadoze::sim
