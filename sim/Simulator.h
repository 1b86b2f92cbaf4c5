#pragma once

#include <filesystem>
#include <optional>

#include "sim/CommandTable.h"
#include "sim/Device.h"
#include "sim/StateDump.h"
#include "sim/StateWatcher.h"

namespace lunadoze::sim {

// The simulated device with every command that acts on it and every state line that shows it.
class Simulator {
 public:
  Simulator(const std::optional<std::filesystem::path>& root, bool realtime);
  ~Simulator();
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  Device& device() { return device_; }
  CommandTable& commands() { return commands_; }
  StateDump& state() { return state_; }
  StateWatcher& watcher() { return watcher_; }

  // What follows each command and each event the run loop dispatches: the log's new lines are
  // stamped with the clock, and the watched lines report their changes.
  void observe();

 private:
  Device device_;
  CommandTable commands_;
  StateDump state_;
  StateWatcher watcher_;
};

}  // namespace lunadoze::sim
