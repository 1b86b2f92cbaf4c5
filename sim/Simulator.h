#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>

#include "sim/CommandTable.h"
#include "sim/Device.h"
#include "sim/StateDump.h"
#include "sim/StateWatcher.h"
#include "sim/StatusLine.h"

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

  // In real time on a terminal: the status line kept at the bottom while time passes.
  void showStatusLine(std::ostream& out);
  // Takes the status line away before a command prints; the next tick draws it again.
  void clearStatusLine() {
    if (statusLine_) statusLine_->clear();
  }

  // What follows each command and each event the run loop dispatches: the log's new lines are
  // stamped with the clock, the watched lines report their changes, and the recording samples.
  void observe();
  // The one recording that `record` keeps, sampled at every observation; empty ends it.
  void setRecording(std::function<void()> sample) { recording_ = std::move(sample); }

  // Waits for the work that commands leave going on after them (pictures being written); throws
  // the failure of such work as an EarlierCommandError.
  void settle() {
    if (settling_) settling_();
  }
  // The one such wait; the picture commands set it.
  void setSettling(std::function<void()> settle) { settling_ = std::move(settle); }

 private:
  Device device_;
  CommandTable commands_;
  StateDump state_;
  StateWatcher watcher_;
  std::optional<StatusLine> statusLine_;
  std::function<void()> recording_;
  std::function<void()> settling_;
};

}  // namespace lunadoze::sim
