#pragma once

#include <filesystem>
#include <optional>

#include "sim/CommandTable.h"
#include "sim/Device.h"
#include "sim/StateDump.h"

namespace lunadoze::sim {

// The simulated device with every command that acts on it and every state line that shows it.
class Simulator {
 public:
  Simulator(const std::optional<std::filesystem::path>& root, bool realtime);

  Device& device() { return device_; }
  CommandTable& commands() { return commands_; }
  StateDump& state() { return state_; }

 private:
  Device device_;
  CommandTable commands_;
  StateDump state_;
};

}  // namespace lunadoze::sim
