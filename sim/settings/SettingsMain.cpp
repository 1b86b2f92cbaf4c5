// lunadoze-settings: the Settings app with the tweak's preferences pane, as a program of its own.
// With "-" it stays open and answers one command line after another: every reply is the
// command's output lines followed by one status line, "ok", "refused: MESSAGE" (the pane did not
// allow the person's action) or "error: MESSAGE"; each failure is also told on standard error
// with its line.
#include <CLI/CLI.hpp>
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
#include "sim/Version.h"
#include "sim/settings/SettingsApp.h"

namespace {

using lunadoze::sim::SettingsApp;
using lunadoze::sim::SettingsError;
using lunadoze::sim::SettingsRefusal;
using lunadoze::sim::Word;

constexpr std::string_view kUsage =
    R"(usage: lunadoze-settings [--root DIR] [--locale ID] show [PAGE] [--labels] [--json]   print a page's rows
       lunadoze-settings --root DIR [--locale ID] set KEY VALUE     change a row, as a person would
       lunadoze-settings [--root DIR] [--locale ID] screenshot [PAGE] FILE.png   a picture of a page
       lunadoze-settings [--root DIR] [--locale ID] -   the commands from standard input, one a line,
                                                        in one open app (respring works there)
       lunadoze-settings --help | -h | --version

  --root DIR    the device's file system root; without it a temporary device is used and removed,
                so set needs it (the change would be lost)
  --locale ID   the device's locale, whose language picks the pane's texts (default en_US)

Commands: show [PAGE] [--labels] [--json], set KEY VALUE, keys, scroll Y, respring, tap LABEL,
alert BUTTON, screenshot [PAGE] FILE.png. PAGE is Prefs (the root page, the default) or a
sub-page's name; keys lists every setting key with what its row takes.
)";
constexpr std::string_view kRespringOneShot =
    "the Respring button appears only once \"enabled\" has been changed in the same open app: use "
    "one app for both, lunadoze-settings --root DIR - (or prefs set then prefs respring in a script)";

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
  words.reserve(arguments.size());
  for (const auto& argument : arguments) words.push_back({argument, argument});
  return words;
}

bool names(const std::vector<Word>& words, std::string_view command, size_t minSize, size_t maxSize) {
  return !words.empty() && words[0].text == command && words.size() >= minSize && words.size() <= maxSize;
}

std::vector<std::string> show(SettingsApp& app, const std::vector<Word>& words) {
  std::string page;
  bool labels = false;
  bool json = false;
  for (size_t i = 1; i < words.size(); ++i) {
    if (words[i].text == "--labels") {
      labels = true;
    } else if (words[i].text == "--json") {
      json = true;
    } else if (words[i].text.starts_with("--")) {
      throw SettingsError("show: unknown option " + words[i].text + " (--labels, --json)");
    } else if (page.empty()) {
      page = words[i].text;
    } else {
      throw SettingsError("usage: show [PAGE] [--labels] [--json]");
    }
  }
  if (json) return {app.showJson(page)};
  return app.show(page, labels);
}

std::vector<std::string> perform(SettingsApp& app, const std::vector<Word>& words) {
  std::vector<std::string> output;
  if (names(words, "show", 1, 4)) {
    output = show(app, words);
  } else if (names(words, "set", 3, 3)) {
    output = {app.set(words[1].text, words[2])};
  } else if (names(words, "row", 2, 2)) {
    output = {app.row(words[1].text)};
  } else if (names(words, "title", 1, 1)) {
    output = {app.title()};
  } else if (names(words, "header", 1, 1)) {
    output = {app.headerFrame()};
  } else if (names(words, "keys", 1, 1)) {
    output = app.keys();
  } else if (names(words, "scroll", 2, 2)) {
    auto y = lunadoze::sim::parseDecimal(words[1].text);
    if (!y) throw SettingsError("scroll: \"" + words[1].text + "\" is not a content offset (such as 120)");
    app.scroll(*y);
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
    throw SettingsError(
        "unknown command \"" + command +
        "\" (show [PAGE] [--labels] [--json], set KEY VALUE, keys, scroll Y, respring, tap LABEL, "
        "alert BUTTON, screenshot [PAGE] FILE.png)");
  }
  // What the change queued (the settings store's own notification) is handled before the reply.
  platform::foundation::NSRunLoop::mainRunLoop().runDueEvents();
  return output;
}

int serve(SettingsApp& app) {
  std::string line;
  bool failed = false;
  for (int number = 1; std::getline(std::cin, line); ++number) {
    try {
      auto words = splitWords(line);
      if (words.empty()) continue;
      for (const auto& output : perform(app, words)) std::cout << output << '\n';
      std::cout << "ok" << std::endl;
    } catch (const SettingsError& error) {
      failed = true;
      const bool refused = dynamic_cast<const SettingsRefusal*>(&error) != nullptr;
      std::cout << (refused ? "refused: " : "error: ") << error.what() << std::endl;
      std::cerr << "stdin:" << number << ": " << error.what() << std::endl;
    }
  }
  return failed ? 2 : 0;
}

// An app that could not open answers every command with the reason, so that the one who sent it
// reports it at the command's own place instead of finding the app gone.
int refuse(const std::string& reason) {
  std::string line;
  for (int number = 1; std::getline(std::cin, line); ++number) {
    auto words = lunadoze::sim::tokenize(line);
    if (words && words->empty()) continue;
    std::cout << "error: " << reason << std::endl;
    std::cerr << "stdin:" << number << ": " << reason << std::endl;
  }
  return 2;
}

int run(int argc, char** argv) {
  CLI::App cli{"lunadoze-settings: the Settings app with the preferences pane", "lunadoze-settings"};
  cli.set_help_flag();
  std::optional<std::filesystem::path> chosenRoot;
  bool help = false;
  bool version = false;
  std::optional<std::string> locale;
  cli.add_option("--root", chosenRoot, "the device's file system root");
  cli.add_option("--locale", locale, "the device's locale");
  cli.add_flag("-h,--help", help, "usage");
  cli.add_flag("--version", version, "the version");
  // The command and its words follow the options, as they stand.
  cli.prefix_command();
  try {
    cli.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    std::cerr << "lunadoze-settings: " << error.what() << "\n" << kUsage;
    return 2;
  }
  if (help) {
    std::cout << kUsage;
    return 0;
  }
  if (version) {
    std::cout << "lunadoze-settings " << lunadoze::sim::kVersion << '\n';
    return 0;
  }
  std::vector<std::string> words = cli.remaining();
  if (!words.empty() && words[0].starts_with("-") && words[0] != "-") {
    std::cerr << "lunadoze-settings: unknown option " << words[0] << "\n" << kUsage;
    return 2;
  }
  if (locale) platform::foundation::NSLocale::setCurrentLocaleIdentifier(*locale);
  if (words.empty()) {
    std::cerr << kUsage;
    return 2;
  }
  const bool serving = words == std::vector<std::string>{"-"};
  if (!serving && words[0] == "set" && !chosenRoot) {
    std::cerr << "lunadoze-settings: set needs --root DIR: without it the device is a temporary one, "
                 "removed at exit, and the change would be lost\n";
    return 2;
  }
  if (!serving && words[0] == "respring") {
    std::cerr << "lunadoze-settings: respring: " << kRespringOneShot << '\n';
    return 2;
  }
  // Declared in this order so that the app is closed before its device goes.
  std::optional<lunadoze::sim::DeviceRoot> root;
  std::optional<SettingsApp> app;
  try {
    root.emplace(chosenRoot, lunadoze::sim::ProgramFiles::stagedDeviceRoot());
    if (!root->notice().empty()) std::cerr << "lunadoze-settings: " << root->notice() << '\n';
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

}  // namespace

// Whatever escapes, from setting up the options on, ends the program with its message rather
// than an abort.
int main(int argc, char** argv) {
  try {
    return run(argc, argv);
  } catch (const std::exception& error) {
    std::cerr << "lunadoze-settings: " << error.what() << '\n';
    return 2;
  }
}
