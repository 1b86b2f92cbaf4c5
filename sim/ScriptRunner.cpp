#include "sim/ScriptRunner.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "sim/CommandError.h"
#include "sim/ScriptSyntax.h"
#include "sim/Simulator.h"

namespace lunadoze::sim {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

void ScriptRunner::runFile(const std::string& path) {
  const Tally before = tally_;
  const std::string name = path == "-" ? "stdin" : path;
  if (freshDevices_ && filesRun_++ > 0) simulator_->device().restoreFresh();
  if (path == "-") {
    runScript(std::cin, name);
  } else {
    std::ifstream file(path);
    // A directory opens as a file would, and then reads as an empty script that passes.
    std::error_code ignored;
    const int failure = !file ? errno : std::filesystem::is_directory(path, ignored) ? EISDIR : 0;
    if (failure != 0) {
      err_ << path << ": cannot read the script: " << std::strerror(failure) << '\n';
      hadError_ = true;
    } else {
      runScript(file, name);
    }
  }
  out_ << name << ": " << tally_.passed - before.passed << " passed, " << tally_.failed - before.failed
       << " failed\n";
}

void ScriptRunner::runScript(std::istream& input, std::string_view name) {
  Device& device = simulator_->device();
  device.switchOn();
  leaving_ = false;
  std::string line;
  for (int number = 1; !leaving_ && std::getline(input, line); ++number) {
    if (number == 1 && line.starts_with(kByteOrderMark)) line.erase(0, kByteOrderMark.size());
    if (!runLine(line, std::string(name) + ":" + std::to_string(number))) break;
  }
  // The person leaves Settings with the script: the next one opens the app afresh.
  device.closeSettingsApp();
}

void ScriptRunner::runRepl() {
  Device& device = simulator_->device();
  const bool showPrompt = isatty(STDIN_FILENO);
  // In real time the device goes on living while the person types: the run loop waits on the
  // terminal itself, so no line may sit unseen in a stdio buffer.
  if (device.isRealtime()) std::setvbuf(stdin, nullptr, _IONBF, 0);
  device.switchOn();
  std::string line;
  leaving_ = false;
  for (int number = 1; !leaving_; ++number) {
    if (showPrompt) out_ << "> " << std::flush;
    if (device.isRealtime()) device.runUntilReadable(STDIN_FILENO);
    if (!std::getline(std::cin, line)) break;
    runLine(line, "repl:" + std::to_string(number));
  }
  if (showPrompt) out_ << '\n';
}

bool ScriptRunner::runLine(std::string_view line, std::string_view location) {
  std::string_view commandName;
  try {
    auto words = tokenize(line);
    if (!words) throw CommandError(words.error());
    if (words->empty()) return true;
    auto [command, arguments] = simulator_->commands().find(*words);
    commandName = command.name;
    CommandContext context(*simulator_, out_, err_, location, tally_, leaving_);
    command.run(context, arguments);
    simulator_->device().runDueEvents();
    return true;
  } catch (const std::exception& error) {
    err_ << location << ": ";
    if (!commandName.empty()) err_ << commandName << ": ";
    err_ << error.what() << '\n';
    hadError_ = true;
    return false;
  }
}

int ScriptRunner::finish() {
  out_ << tally_.passed << " passed, " << tally_.failed << " failed\n" << std::flush;
  if (hadError_) return 2;
  return tally_.failed > 0 ? 1 : 0;
}

}  // namespace lunadoze::sim
