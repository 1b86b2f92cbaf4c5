#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace lunadoze::sim {

class Device;
class Simulator;

// The expectations of a run: how many held and how many failed.
struct Tally {
  int passed = 0;
  int failed = 0;
};

// What a command runs with: the simulator it acts on, where it prints, and the tally of the
// expectations it checks.
class CommandContext {
 public:
  CommandContext(Simulator& simulator, std::ostream& out, std::ostream& err, std::string_view location,
                 Tally& tally, bool& leaving)
      : simulator_(simulator), out_(out), err_(err), location_(location), tally_(tally), leaving_(leaving) {}

  Device& device() const;
  Simulator& simulator() const { return simulator_; }
  std::ostream& out() const { return out_; }
  std::ostream& err() const { return err_; }
  std::string_view location() const { return location_; }
  Tally& tally() const { return tally_; }

  // The script (or the repl) ends after this command.
  void leave() { leaving_ = true; }

  // Counts an expectation; one that does not hold is reported with its script line.
  void expect(bool held, std::string_view failure);

 private:
  Simulator& simulator_;
  std::ostream& out_;
  std::ostream& err_;
  std::string_view location_;
  Tally& tally_;
  bool& leaving_;
};

}  // namespace lunadoze::sim
