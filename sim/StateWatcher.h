#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace lunadoze::sim {

class StateDump;

// The state lines that `watch` follows: after every command and every event the run loop
// dispatches, each change prints "CLOCK  KEY: OLD -> NEW", so that a fade shows step by step.
class StateWatcher {
 public:
  StateWatcher(const StateDump& state, std::function<double()> clock)
      : state_(state), clock_(std::move(clock)) {}

  // Follows the keys from now on, printing to `out`; keys already followed stay.
  void watch(const std::vector<std::string>& keys, std::ostream& out);
  void stop();
  std::vector<std::string> keys() const;

  // Prints what changed since the last check.
  void check();

 private:
  const StateDump& state_;
  std::function<double()> clock_;
  std::vector<std::pair<std::string, std::string>> watched_;
  std::ostream* out_ = nullptr;
};

}  // namespace lunadoze::sim
