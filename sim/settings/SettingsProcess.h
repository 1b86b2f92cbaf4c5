#pragma once

#include <sys/types.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace lunadoze::sim {

// The Settings app kept open as a child process on a device root (`lunadoze-settings --root DIR
// -`), as the app stays open while a person uses it: the simulator sends it every `prefs` command
// of a script, so the pane remembers what happened before (a changed "enabled" shows the Respring
// button). The app is a process of its own: its changes reach SpringBoard only through the
// settings domain and its notification.
class SettingsProcess {
 public:
  // Starts the app; the device root must already hold a device.
  // The app runs in the device's locale, as the phone's apps do.
  explicit SettingsProcess(const std::filesystem::path& root, const std::string& localeIdentifier = "en_US",
                           const std::filesystem::path& program = defaultProgram());
  // Closes the app's input and waits for it to end.
  ~SettingsProcess();
  SettingsProcess(const SettingsProcess&) = delete;
  SettingsProcess& operator=(const SettingsProcess&) = delete;

  // Sends one command line ("show", "show TimerEndActions", "set KEY VALUE", "respring"; words
  // with blanks in double quotes) and returns the lines the app printed. A command the app could
  // not do throws CommandError with the app's message; Refusal when the pane refused the person's
  // action (a greyed row, a value its control cannot take).
  std::vector<std::string> run(const std::string& command);

  // The lunadoze-settings that the build made.
  static std::filesystem::path defaultProgram();

 private:
  pid_t child_ = -1;
  // One socket, both ways: a write to an app that has ended fails instead of raising SIGPIPE.
  int socket_ = -1;
  FILE* fromApp_ = nullptr;
};

}  // namespace lunadoze::sim
