#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <string_view>

#include "sim/CommandContext.h"

namespace lunadoze::sim {

class Simulator;

// Runs scripts, one command a line, on one simulator: every message names FILE:LINE, and the
// run ends with the tally of its expectations.
class ScriptRunner {
 public:
  ScriptRunner(Simulator& simulator, std::ostream& out, std::ostream& err)
      : simulator_(simulator), out_(out), err_(err) {}

  // Runs the script file ("-" reads standard input) on the device in a fresh boot state; stops
  // at the first command that cannot be run.
  void runFile(const std::string& path);
  void runScript(std::istream& input, std::string_view name);
  // Commands typed on standard input (at a prompt when it is a terminal), until its end; a
  // command that cannot be run is reported and the session goes on.
  void runRepl();

  // Prints "N passed, N failed" and returns the exit status: 0 when every expectation held,
  // 1 when one failed, 2 when a command could not be run.
  int finish();

 private:
  // Runs one line and what falls due after it; false when its command could not be run.
  bool runLine(std::string_view line, std::string_view location);

  Simulator& simulator_;
  std::ostream& out_;
  std::ostream& err_;
  Tally tally_;
  bool hadError_ = false;
};

}  // namespace lunadoze::sim
