#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/runtime/NSObject.h"

namespace platform::foundation {

// Starts a program of the device. The simulated device has no programs of its own and no program
// of the host is ever run: the one program it knows is "/usr/bin/killall" with the argument
// "backboardd", which restarts the user interface. That launch posts the Darwin notification
// kBackboardRestartNotification, on which the simulated SpringBoard restarts; every other launch
// is refused and says so in the system log.
class NSTask : public runtime::NSObject {
  RUNTIME_CLASS(NSTask)

 public:
  static constexpr const char* kBackboardRestartNotification = "com.apple.backboardd.restart";

  static std::shared_ptr<NSTask> create() { return NSTask::alloc(); }

  const std::string& launchPath() const { return launchPath_; }
  void setLaunchPath(std::string path) { launchPath_ = std::move(path); }
  const std::vector<std::string>& arguments() const { return arguments_; }
  void setArguments(std::vector<std::string> arguments) { arguments_ = std::move(arguments); }

  // Starts the program without waiting for it. A task launches once; a second launch does nothing.
  void launch();
  bool isLaunched() const { return launched_; }

 private:
  std::string launchPath_;
  std::vector<std::string> arguments_;
  bool launched_ = false;
};

}  // namespace platform::foundation
