#include "platform/foundation/SystemLog.h"

#include <syslog.h>

namespace platform::foundation {
namespace {

std::vector<std::string>& record() {
  static std::vector<std::string> lines;
  return lines;
}

}  // namespace

void SystemLog::write(std::string_view line) {
  syslog(LOG_NOTICE, "%.*s", static_cast<int>(line.size()), line.data());
  record().emplace_back(line);
}

const std::vector<std::string>& SystemLog::lines() {
  return record();
}

void SystemLog::clear() {
  record().clear();
}

}  // namespace platform::foundation
