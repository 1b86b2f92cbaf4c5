#include "platform/foundation/NSTask.h"

#include "platform/foundation/CFNotificationCenter.h"
#include "platform/foundation/SystemLog.h"
#include "platform/runtime/Runtime.h"

namespace platform::foundation {

runtime::Class* NSTask::runtimeClass() {
  return runtime::objc_registerClass("NSTask", &runtime::NSObject::runtimeClass);
}

void NSTask::launch() {
  if (launched_) return;
  launched_ = true;
  if (launchPath_ == "/usr/bin/killall" && arguments_ == std::vector<std::string>{"backboardd"}) {
    CFNotificationCenterPostNotification(CFNotificationCenterGetDarwinNotifyCenter(),
                                         kBackboardRestartNotification);
    return;
  }
  std::string command = launchPath_;
  for (const auto& argument : arguments_) command += " " + argument;
  NSLog("NSTask: not launched, the device has no such program: " + command);
}

}  // namespace platform::foundation
