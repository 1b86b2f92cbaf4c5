// lunadoze-settings: the Settings app with the tweak's preferences pane, as a program of its own.
// With "-" it stays open and answers one command line after another: every reply is the
// command's output lines followed by one status line, "ok" or "error: MESSAGE".
#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/foundation/NSProcessInfo.h"
#include "platform/foundation/NSRunLoop.h"
#include "sim/DeviceRoot.h"
#include "sim/settings/SettingsApp.h"

namespace {

using lunadoze::sim::SettingsApp;
using lunadoze::sim::SettingsError;

constexpr const char* kUsage =
    "usage: lunadoze-settings [--root DIR] show [PAGE] | set KEY VALUE | respring\n"
    "       lunadoze-settings [--root DIR] -      the same commands from standard input, one a line\n";

// Words separated by blanks; double quotes keep a word with blanks together.
std::vector<std::string> splitWords(std::string_view line) {
  std::vector<std::string> words;
  std::optional<std::string> word;
  bool quoted = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      if (!word) word.emplace();
    } else if (!quoted && (c == ' ' || c == '\t')) {
      if (word) words.push_back(*word);
      word.reset();
    } else {
      if (!word) word.emplace();
      *word += c;
    }
  }
  if (quoted) throw SettingsError("a quote is not closed");
  if (word) words.push_back(*word);
  return words;
}

std::vector<std::string> perform(SettingsApp& app, const std::vector<std::string>& words) {
  std::vector<std::string> output;
  if (!words.empty() && words[0] == "show" && words.size() <= 2) {
    output = app.show(words.size() == 2 ? words[1] : "");
  } else if (!words.empty() && words[0] == "set" && words.size() == 3) {
    app.set(words[1], words[2]);
  } else if (words == std::vector<std::string>{"respring"}) {
    app.respring();
  } else {
    std::string command;
    for (const auto& word : words) command += (command.empty() ? "" : " ") + word;
    throw SettingsError("unknown command \"" + command + "\" (show [PAGE], set KEY VALUE, respring)");
  }
  // What the change queued (the settings store's own notification) is handled before the reply.
  platform::foundation::NSRunLoop::mainRunLoop().runDueEvents();
  return output;
}

int serve(SettingsApp& app) {
  std::string line;
  while (std::getline(std::cin, line)) {
    if (line.find_first_not_of(" \t") == std::string::npos) continue;
    try {
      for (const auto& output : perform(app, splitWords(line))) std::cout << output << '\n';
      std::cout << "ok" << std::endl;
    } catch (const SettingsError& error) {
      std::cout << "error: " << error.what() << std::endl;
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::optional<std::filesystem::path> chosenRoot;
  std::vector<std::string> words(argv + 1, argv + argc);
  if (words.size() >= 2 && words[0] == "--root") {
    chosenRoot = words[1];
    words.erase(words.begin(), words.begin() + 2);
  }
  if (words.empty()) {
    std::cerr << kUsage;
    return 2;
  }
  try {
    lunadoze::sim::DeviceRoot root(chosenRoot, LUNADOZE_STAGE_DIR);
    platform::foundation::DeviceFileSystem::setRoot(root.path());
    platform::foundation::NSProcessInfo::processInfo()->setProcessName("Preferences");
    SettingsApp app;
    if (words == std::vector<std::string>{"-"}) return serve(app);
    for (const auto& output : perform(app, words)) std::cout << output << '\n';
    return 0;
  } catch (const SettingsError& error) {
    std::cerr << "lunadoze-settings: " << error.what() << '\n';
  } catch (const std::exception& error) {
    std::cerr << "lunadoze-settings: " << error.what() << '\n';
  }
  return 2;
}
