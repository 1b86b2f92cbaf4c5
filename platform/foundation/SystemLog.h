#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace platform::foundation {

// The system log. Each line goes to syslog(3) and into this process's own record, which tests
// and the simulator read back. Like the device's log, the record keeps only the most recent
// lines, so a process that runs for months does not grow with it.
class SystemLog {
 public:
  static constexpr size_t kCapacity = 4096;

  static void write(std::string_view line);
  // The lines kept (the last kCapacity written since the process started or since clear()),
  // oldest first.
  static std::vector<std::string> lines();
  // How many older lines were dropped to keep within kCapacity.
  static size_t droppedLines();
  // How many lines were written since the process started or since clear(): dropped and kept.
  static size_t writtenLines();
  static void clear();
};

inline void NSLog(std::string_view message) {
  SystemLog::write(message);
}

}  // namespace platform::foundation
