#include "platform/foundation/NSProcessInfo.h"

#include <sys/prctl.h>

#include <fstream>

namespace platform::foundation {

NSProcessInfo* NSProcessInfo::processInfo() {
  static NSProcessInfo info;
  return &info;
}

NSProcessInfo::NSProcessInfo() {
  std::ifstream comm("/proc/self/comm");
  std::getline(comm, processName_);
}

void NSProcessInfo::setProcessName(std::string name) {
  processName_ = std::move(name);
  prctl(PR_SET_NAME, processName_.c_str());
}

}  // namespace platform::foundation
