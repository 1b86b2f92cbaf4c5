#include "sim/LogClock.h"

#include "platform/foundation/SystemLog.h"

namespace lunadoze::sim {

using platform::foundation::SystemLog;

void LogClock::update(double clock) {
  const size_t written = SystemLog::writtenLines();
  // Fewer lines than stamped: the log was cleared at a boot, and every line is new.
  if (written < first_ + times_.size()) reset();
  times_.resize(written - first_, clock);
  for (const size_t dropped = SystemLog::droppedLines(); first_ < dropped && !times_.empty(); ++first_) {
    times_.pop_front();
  }
}

void LogClock::reset() {
  times_.clear();
  first_ = 0;
}

double LogClock::timeOf(size_t index) const {
  const size_t stamp = SystemLog::droppedLines() + index - first_;
  return stamp < times_.size() ? times_[stamp] : 0;
}

}  // namespace lunadoze::sim
