// lunadoze-sim: runs scenario scripts, or commands typed at a prompt, on a simulated device.
#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "sim/Demo.h"
#include "sim/ScriptRunner.h"
#include "sim/Simulator.h"
#include "sim/pictures/Storyboard.h"

namespace {

constexpr const char* kUsage =
    "usage: lunadoze-sim [--root DIR] [--realtime] SCRIPT...   run scripts (\"-\" reads standard input)\n"
    "       lunadoze-sim [--root DIR] [--realtime] repl        commands typed at a prompt\n"
    "       lunadoze-sim [--root DIR] demo [--screenshots DIR] the built-in demo; with a picture per step\n";

struct Options {
  std::optional<std::filesystem::path> root;
  bool realtime = false;
  std::vector<std::string> scripts;
};

std::optional<Options> parseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::string_view argument = argv[i];
    if (argument == "--root" && i + 1 < argc) {
      options.root = argv[++i];
    } else if (argument == "--realtime") {
      options.realtime = true;
    } else if (argument.starts_with("--")) {
      return std::nullopt;
    } else {
      options.scripts.assign(argv + i, argv + argc);
      break;
    }
  }
  if (options.scripts.empty()) return std::nullopt;
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace lunadoze::sim;
  const std::string_view only = argc == 2 ? argv[1] : "";
  if (only == "--help" || only == "-h") {
    std::cout << kUsage;
    return 0;
  }
  if (only == "--version") {
    std::cout << "lunadoze-sim " LUNADOZE_VERSION "\n";
    return 0;
  }
  auto options = parseOptions(argc, argv);
  if (!options) {
    std::cerr << kUsage;
    return 2;
  }
  const std::vector<std::string>& scripts = options->scripts;
  try {
    Simulator simulator(options->root, options->realtime);
    ScriptRunner runner(simulator, std::cout, std::cerr);
    if (scripts == std::vector<std::string>{"repl"}) {
      runner.runRepl();
    } else if (scripts == std::vector<std::string>{"demo"}) {
      std::istringstream demo{std::string(kDemoScript)};
      runner.runScript(demo, "demo");
    } else if (scripts.size() == 3 && scripts[0] == "demo" && scripts[1] == "--screenshots") {
      Storyboard storyboard(scripts[2]);
      std::istringstream demo{storyboard.script(kDemoScript)};
      runner.runScript(demo, "demo");
      storyboard.writeIndex();
    } else {
      for (const std::string& script : scripts) runner.runFile(script);
    }
    return runner.finish();
  } catch (const std::exception& error) {
    std::cerr << "lunadoze-sim: " << error.what() << '\n';
    return 2;
  }
}
