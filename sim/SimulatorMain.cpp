// lunadoze-sim: runs scenario scripts, or commands typed at a prompt, on a simulated device.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "sim/CommandError.h"
#include "sim/CommandHelp.h"
#include "sim/Demo.h"
#include "sim/ProgramFiles.h"
#include "sim/ScriptRunner.h"
#include "sim/Simulator.h"
#include "sim/Version.h"
#include "sim/pictures/Storyboard.h"

namespace {

using namespace lunadoze::sim;

struct Options {
  std::optional<std::filesystem::path> root;
  bool realtime = false;
  bool help = false;
  bool version = false;
  // The scripts, or a word that names what to do instead ("repl", "demo", "help", ...) and its
  // own words.
  std::vector<std::string> words;
};

// CLI11 reads the options before the first script; what follows is left as it stands, so that a
// script named like an option after the first one is still a script.
std::optional<Options> parseOptions(int argc, char** argv) {
  Options options;
  CLI::App cli{"lunadoze-sim", "lunadoze-sim"};
  cli.set_help_flag();
  cli.add_option("--root", options.root, "the device's file system root");
  cli.add_flag("--realtime", options.realtime, "the clock follows the wall clock");
  cli.add_flag("-h,--help", options.help, "usage and commands");
  cli.add_flag("--version", options.version, "the version");
  cli.prefix_command();
  try {
    cli.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    std::cerr << "lunadoze-sim: " << error.what() << " (lunadoze-sim --help tells the usage)\n";
    return std::nullopt;
  }
  options.words = cli.remaining();
  // The options come before the first script: a word like an option there is a mistyped one.
  if (!options.words.empty() && options.words[0].starts_with("-") && options.words[0] != "-") {
    std::cerr << "lunadoze-sim: unknown option " << options.words[0]
              << " (lunadoze-sim --help tells the usage)\n";
    return std::nullopt;
  }
  return options;
}

// `help`, `help COMMAND`, `help --markdown` (the reference page), on a device of its own.
int help(const Options& options) {
  Simulator simulator(options.root, false);
  const CommandTable& commands = simulator.commands();
  if (options.words.size() <= 1) {
    std::cout << CommandHelp::overview(commands);
  } else if (options.words[1] == "--markdown") {
    std::cout << CommandHelp::referencePage(commands);
  } else {
    std::cout << CommandHelp::about(commands, options.words[1]);
  }
  return 0;
}

// `erase` and `reinstall` act on a kept device only: a fresh one is gone at exit anyway.
int maintain(const Options& options) {
  const std::string& what = options.words[0];
  if (!options.root) {
    std::cerr << "lunadoze-sim: " << what << " needs --root DIR: without it the device is a fresh one\n";
    return 2;
  }
  DeviceRoot root(options.root, ProgramFiles::stagedDeviceRoot());
  if (what == "erase") {
    root.erase();
    std::cout << root.path().string() << ": erased and staged afresh\n";
  } else {
    root.reinstall();
    std::cout << root.path().string() << ": the package's files staged afresh, /var/mobile kept\n";
  }
  return 0;
}

int runScripts(const Options& options) {
  const std::vector<std::string>& words = options.words;
  // Before the device: a folder that cannot be made is told before anything is staged, and the
  // fonts load while the device starts.
  std::optional<Storyboard> storyboard;
  if (words.size() == 3 && words[0] == "demo" && words[1] == "--screenshots") storyboard.emplace(words[2]);
  Simulator simulator(options.root, options.realtime);
  if (const auto& notice = simulator.device().root().notice(); !notice.empty()) {
    std::cerr << "lunadoze-sim: " << notice << '\n';
  }
  ScriptRunner runner(simulator, std::cout, std::cerr);
  // The repl keeps its own, around its prompt.
  if (options.realtime && isatty(STDOUT_FILENO) && options.words != std::vector<std::string>{"repl"}) {
    simulator.showStatusLine(std::cout);
  }
  // Without a kept root, each file has a device of its own.
  runner.setFreshDevices(!options.root);
  if (words == std::vector<std::string>{"repl"}) {
    runner.runRepl();
  } else if (words == std::vector<std::string>{"demo"}) {
    if (options.realtime) {
      std::cout << "The demo runs for 30 minutes 19 seconds of real time, as the person would wait; "
                   "Ctrl-C stops it. Without --realtime it runs at once.\n"
                << std::flush;
    }
    std::istringstream demo{std::string(kDemoScript)};
    runner.runScript(demo, "demo");
  } else if (storyboard) {
    std::istringstream demo{storyboard->script(kDemoScript)};
    runner.runScript(demo, "demo");
    storyboard->writeIndex();
  } else {
    for (const std::string& script : words) runner.runFile(script);
  }
  return runner.finish();
}

}  // namespace

// Whatever is thrown, from the options on, ends the program with its message rather than an abort.
int main(int argc, char** argv) {
  try {
    auto options = parseOptions(argc, argv);
    if (!options) return 2;
    if (options->help) {
      options->words = {"help"};
    }
    if (options->version) {
      std::cout << "lunadoze-sim " << kVersion << '\n';
      return 0;
    }
    if (options->words.empty()) {
      std::cerr << CommandHelp::programUsage();
      return 2;
    }
    const std::string& first = options->words[0];
    if (first == "help") return help(*options);
    if ((first == "erase" || first == "reinstall") && options->words.size() == 1) return maintain(*options);
    return runScripts(*options);
  } catch (const std::exception& error) {
    std::cerr << "lunadoze-sim: " << error.what() << '\n';
    return 2;
  }
}
