#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "sim/CommandContext.h"

namespace lunadoze::sim {

class EarlierCommandError;
class Simulator;

// Runs scripts, one command a line, on a simulator: every message names FILE:LINE, and the run
// ends with the tally of its expectations.
class ScriptRunner {
 public:
  ScriptRunner(Simulator& simulator, std::ostream& out, std::ostream& err)
      : simulator_(&simulator), out_(out), err_(err) {}

  // Each script file after the first runs on the device restored to what staging made, as a
  // device of its own: what one script changes (its settings, the files it removes) cannot break
  // the next. Off, they share the device as it is.
  void setFreshDevices(bool fresh) { freshDevices_ = fresh; }

  // Runs the script file ("-" reads standard input) on the device in a fresh boot state; stops
  // at the first command that cannot be run. Ends with the file's own tally, "FILE: N passed, N
  // failed".
  void runFile(const std::string& path);
  // A byte-order mark that an editor put at the start is not part of the first command.
  void runScript(std::istream& input, std::string_view name);
  // Commands typed on standard input, until its end or `quit`; a command that cannot be run is
  // reported and the session goes on. On a terminal: a banner, a prompt with the device's clock,
  // line editing, history and completion.
  void runRepl();
  // The words that may come next on a repl line after these: names of commands, controls, state
  // lines and settings.
  std::vector<std::string> completions(const std::vector<std::string>& before) const;

  // Prints "N passed, N failed" and returns the exit status: 0 when every expectation held,
  // 1 when one failed, 2 when a command could not be run.
  int finish();

 private:
  // Runs one line and what falls due after it; false when its command could not be run.
  bool runLine(std::string_view line, std::string_view location);
  // Waits for what the commands left going on, and reports its failure.
  void settle();
  // A failure told at the place of its command.
  void report(const EarlierCommandError& error);

  Simulator* simulator_;
  std::ostream& out_;
  std::ostream& err_;
  Tally tally_;
  bool hadError_ = false;
  bool freshDevices_ = false;
  int filesRun_ = 0;
  // Set by `quit`: the script (or the repl) ends after the command.
  bool leaving_ = false;
};

}  // namespace lunadoze::sim
