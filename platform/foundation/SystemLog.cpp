#include "platform/foundation/SystemLog.h"

#include <syslog.h>

#include <deque>

namespace platform::foundation {
namespace {

struct Record {
  std::deque<std::string> lines;
  size_t dropped = 0;
};

Record& record() {
  static Record record;
  return record;
}

}  // namespace

void SystemLog::write(std::string_view line) {
  syslog(LOG_NOTICE, "%.*s", static_cast<int>(line.size()), line.data());
  Record& kept = record();
  if (kept.lines.size() == kCapacity) {
    kept.lines.pop_front();
    ++kept.dropped;
  }
  kept.lines.emplace_back(line);
}

std::vector<std::string> SystemLog::lines() {
  const auto& kept = record().lines;
  return {kept.begin(), kept.end()};
}

size_t SystemLog::droppedLines() {
  return record().dropped;
}

size_t SystemLog::writtenLines() {
  return record().dropped + record().lines.size();
}

void SystemLog::clear() {
  record() = Record{};
}

}  // namespace platform::foundation
