#include "sim/ScriptRunner.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <vector>

#include "sim/CommandError.h"
#include "sim/LineEditor.h"
#include "sim/ScriptSyntax.h"
#include "sim/Simulator.h"
#include "sim/StateFormat.h"
#include "sim/StatusLine.h"
#include "sim/Version.h"

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
  // The script's pictures are all in place when it ends.
  settle();
  // The person leaves Settings with the script: the next one opens the app afresh.
  device.closeSettingsApp();
}

std::vector<std::string> ScriptRunner::completions(const std::vector<std::string>& before) const {
  const CommandTable& commands = simulator_->commands();
  if (before.empty()) return commands.firstWords();
  // The command inside expect-refused completes as any other.
  if (before[0] == "expect-refused") return completions({before.begin() + 1, before.end()});
  const std::string& first = before[0];
  auto settingKeys = simulator_->device().settingKeys();
  if (before.size() == 1) {
    if (auto subcommands = commands.subcommands(first); !subcommands.empty()) return subcommands;
    if (first == "help") return commands.topicNames();
    if (const auto* topic = commands.topic(first); topic != nullptr && first == "tap") return topic->values();
    if (first == "expect" || first == "watch") {
      std::vector<std::string> keys(StateDump::kKeys.begin(), StateDump::kKeys.end());
      for (const std::string& key : settingKeys) {
        keys.push_back("setting." + key);
        if (first == "expect") keys.push_back("prefs." + key);
      }
      return keys;
    }
  }
  if (before.size() == 2 && first == "prefs" && before[1] == "set") return settingKeys;
  return {};
}

void ScriptRunner::runRepl() {
  Device& device = simulator_->device();
  const bool onTerminal = isatty(STDIN_FILENO) && isatty(STDOUT_FILENO);
  // In real time the device goes on living while the person types: the run loop waits on the
  // terminal itself, so no line may sit unseen in a stdio buffer.
  if (device.isRealtime()) std::setvbuf(stdin, nullptr, _IONBF, 0);
  device.switchOn();
  leaving_ = false;
  std::optional<LineEditor> editor;
  if (onTerminal) {
    out_ << "Lunadoze simulator " << kVersion
         << ": a phone with the tweak installed, off until boot. help lists the commands, help COMMAND "
            "tells more of one; tab completes; quit, exit or Ctrl-D leaves.\n"
         << std::flush;
    editor.emplace(LineEditor::defaultHistoryFile(),
                   [this](const std::vector<std::string>& before) { return completions(before); });
  }
  // In real time the status line stays too: in place while a command lets time pass, above the
  // prompt while a line is typed.
  const StatusLine status(simulator_->state(), out_);
  if (editor && device.isRealtime()) {
    simulator_->showStatusLine(out_);
    editor->setStatus([&status] { return status.text(); });
  }
  auto waitForInput = [&device, &editor] {
    if (!device.isRealtime()) return;
    if (editor) {
      device.runUntilReadable(STDIN_FILENO, [&editor] { editor->redrawStatus(); });
    } else {
      device.runUntilReadable(STDIN_FILENO);
    }
  };
  for (int number = 1; !leaving_; ++number) {
    std::optional<std::string> line;
    if (editor) {
      simulator_->clearStatusLine();
      // Appended rather than "[" + ...: GCC 12 at -O3 warns falsely of an overlapping copy there.
      std::string prompt = "[";
      prompt += std::string_view(formatClock(device.clock())).substr(0, 8);
      prompt += "] > ";
      line = editor->readLine(prompt, waitForInput);
    } else {
      waitForInput();
      std::string read;
      if (std::getline(std::cin, read)) line = std::move(read);
    }
    if (!line) break;
    runLine(*line, "repl:" + std::to_string(number));
    // What a command leaves going on is done before the next prompt.
    settle();
  }
  if (onTerminal) out_ << '\n';
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
    simulator_->clearStatusLine();
    command.run(context, arguments);
    simulator_->device().runDueEvents();
    simulator_->observe();
    return true;
  } catch (const EarlierCommandError& error) {
    report(error);
    return false;
  } catch (const std::exception& error) {
    err_ << location << ": ";
    if (!commandName.empty()) err_ << commandName << ": ";
    err_ << error.what() << '\n';
    hadError_ = true;
    return false;
  }
}

void ScriptRunner::settle() {
  try {
    simulator_->settle();
  } catch (const EarlierCommandError& error) {
    report(error);
  }
}

void ScriptRunner::report(const EarlierCommandError& error) {
  err_ << error.location() << ": " << error.command() << ": " << error.what() << '\n';
  hadError_ = true;
}

int ScriptRunner::finish() {
  out_ << tally_.passed << " passed, " << tally_.failed << " failed\n" << std::flush;
  if (hadError_) return 2;
  return tally_.failed > 0 ? 1 : 0;
}

}  // namespace lunadoze::sim
