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
#include "platform/foundation/NSLocale.h"
#include "platform/foundation/NSProcessInfo.h"
#include "platform/foundation/NSRunLoop.h"
#include "sim/DeviceRoot.h"
#include "sim/ProgramFiles.h"
#include "sim/ScriptSyntax.h"
#include "sim/settings/SettingsApp.h"

namespace {

using lunadoze::sim::SettingsApp;
using lunadoze::sim::SettingsError;
using lunadoze::sim::Word;

constexpr const char* kUsage =
    "usage: lunadoze-settings [--root DIR] [--locale ID] show [PAGE] | set KEY VALUE | respring\n"
    "                         | tap LABEL | alert BUTTON | screenshot [PAGE] FILE.png\n"
    "       lunadoze-settings [--root DIR] [--locale ID] -      the same commands from standard input, one a "
    "line\n";

// A command line in the simulator's words: blanks separate words, double quotes keep blanks
// inside one and mark it as text.
std::vector<Word> splitWords(std::string_view line) {
  auto words = lunadoze::sim::tokenize(line);
  if (!words) throw SettingsError(words.error());
  return std::move(words).value();
}

// Words given as the program's arguments: the shell has split them already.
std::vector<Word> argumentWords(const std::vector<std::string>& arguments) {
  std::vector<Word> words;
  for (const auto& argument : arguments) words.push_back({argument, argument});
  return words;
}

bool names(const std::vector<Word>& words, std::string_view command, size_t minSize, size_t maxSize) {
  return !words.empty() && words[0].text == command && words.size() >= minSize && words.size() <= maxSize;
}

std::vector<std::string> perform(SettingsApp& app, const std::vector<Word>& words) {
  std::vector<std::string> output;
  if (names(words, "show", 1, 2)) {
    output = app.show(words.size() == 2 ? words[1].text : "");
  } else if (names(words, "set", 3, 3)) {
    app.set(words[1].text, words[2]);
  } else if (names(words, "respring", 1, 1)) {
    app.respring();
  } else if (names(words, "tap", 2, 2)) {
    app.tap(words[1].text);
  } else if (names(words, "alert", 2, 2)) {
    app.answerAlert(words[1].text);
  } else if (names(words, "screenshot", 2, 3)) {
    app.screenshot(words.size() == 3 ? words[1].text : "", words.back().text);
  } else {
    std::string command;
    for (const auto& word : words) command += (command.empty() ? "" : " ") + word.text;
    throw SettingsError("unknown command \"" + command +
                        "\" (show [PAGE], set KEY VALUE, respring, tap LABEL, alert BUTTON, screenshot [PAGE] "
                        "FILE.png)");
  }
  // What the change queued (the settings store's own notification) is handled before the reply.
  platform::foundation::NSRunLoop::mainRunLoop().runDueEvents();
  return output;
}

int serve(SettingsApp& app) {
  std::string line;
  while (std::getline(std::cin, line)) {
    try {
      auto words = splitWords(line);
      if (words.empty()) continue;
      for (const auto& output : perform(app, words)) std::cout << output << '\n';
      std::cout << "ok" << std::endl;
    } catch (const SettingsError& error) {
      std::cout << "error: " << error.what() << std::endl;
    }
  }
  return 0;
}

// An app that could not open answers every command with the reason, so that the one who sent it
// reports it at the command's own place instead of finding the app gone.
int refuse(const std::string& reason) {
  std::string line;
  while (std::getline(std::cin, line)) {
    auto words = lunadoze::sim::tokenize(line);
    if (words && words->empty()) continue;
    std::cout << "error: " << reason << std::endl;
  }
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::optional<std::filesystem::path> chosenRoot;
  std::vector<std::string> words(argv + 1, argv + argc);
  if (words == std::vector<std::string>{"--help"} || words == std::vector<std::string>{"-h"}) {
    std::cout << kUsage;
    return 0;
  }
  if (words == std::vector<std::string>{"--version"}) {
    std::cout << "lunadoze-settings " LUNADOZE_VERSION "\n";
    return 0;
  }
  if (words.size() >= 2 && words[0] == "--root") {
    chosenRoot = words[1];
    words.erase(words.begin(), words.begin() + 2);
  }
  if (words.size() >= 2 && words[0] == "--locale") {
    platform::foundation::NSLocale::setCurrentLocaleIdentifier(words[1]);
    words.erase(words.begin(), words.begin() + 2);
  }
  if (words.empty()) {
    std::cerr << kUsage;
    return 2;
  }
  const bool serving = words == std::vector<std::string>{"-"};
  // Declared in this order so that the app is closed before its device goes.
  std::optional<lunadoze::sim::DeviceRoot> root;
  std::optional<SettingsApp> app;
  try {
    root.emplace(chosenRoot, lunadoze::sim::ProgramFiles::stagedDeviceRoot());
    platform::foundation::DeviceFileSystem::setRoot(root->path());
    platform::foundation::NSProcessInfo::processInfo()->setProcessName("Preferences");
    app.emplace();
  } catch (const std::exception& error) {
    if (serving) return refuse(error.what());
    std::cerr << "lunadoze-settings: " << error.what() << '\n';
    return 2;
  }
  try {
    if (serving) return serve(*app);
    for (const auto& output : perform(*app, argumentWords(words))) std::cout << output << '\n';
    return 0;
  } catch (const std::exception& error) {
    std::cerr << "lunadoze-settings: " << error.what() << '\n';
  }
  return 2;
}
