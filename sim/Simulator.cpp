#include "sim/Simulator.h"

#include "platform/foundation/NSRunLoop.h"
#include "sim/CommandGroups.h"

namespace lunadoze::sim {

using platform::foundation::NSRunLoop;

Simulator::Simulator(const std::optional<std::filesystem::path>& root, bool realtime)
    : device_(root, realtime), watcher_(state_, [this] { return device_.clock(); }) {
  for (auto addGroup : kCommandGroups) addGroup(*this);
  NSRunLoop::mainRunLoop().setDispatchObserver([this] { observe(); });
}

Simulator::~Simulator() {
  NSRunLoop::mainRunLoop().setDispatchObserver({});
  if (statusLine_) statusLine_->clear();
}

void Simulator::showStatusLine(std::ostream& out) {
  statusLine_.emplace(state_, out);
  device_.setRealtimeTick([this] { statusLine_->show(); });
}

void Simulator::observe() {
  device_.logClock().update(device_.clock());
  // What the watch prints scrolls above the status line, which the next tick draws again.
  if (statusLine_) statusLine_->clear();
  watcher_.check();
  if (recording_) recording_();
}

}  // namespace lunadoze::sim
