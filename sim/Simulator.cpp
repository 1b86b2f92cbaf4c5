#include "sim/Simulator.h"

#include "sim/CommandGroups.h"

namespace lunadoze::sim {

Simulator::Simulator(const std::optional<std::filesystem::path>& root, bool realtime)
    : device_(root, realtime) {
  for (auto addGroup : kCommandGroups) addGroup(*this);
}

}  // namespace lunadoze::sim
