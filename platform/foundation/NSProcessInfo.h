#pragma once

#include <string>

namespace platform::foundation {

// Facts about the running process.
class NSProcessInfo {
 public:
  static NSProcessInfo* processInfo();

  // The process's name: the kernel's name for it (its program name) until set otherwise.
  const std::string& processName() const { return processName_; }
  // Also renames the process for the kernel (ps, top), which keeps the first 15 bytes.
  void setProcessName(std::string name);

 private:
  NSProcessInfo();

  std::string processName_;
};

}  // namespace platform::foundation
