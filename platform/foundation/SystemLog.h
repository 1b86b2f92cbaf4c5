#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform::foundation {

// The system log. Each line goes to syslog(3) and into this process's own record, which tests
// and the simulator read back.
class SystemLog {
 public:
  static void write(std::string_view line);
  // Every line written in this process since it started or since clear(), oldest first.
  static const std::vector<std::string>& lines();
  static void clear();
};

inline void NSLog(std::string_view message) {
  SystemLog::write(message);
}

}  // namespace platform::foundation
