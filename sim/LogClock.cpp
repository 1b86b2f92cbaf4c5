#include "sim/LogClock.h"

#include "platform/foundation/SystemLog.h"

namespace lunadoze::sim {

void LogClock::update(double clock) {
  const size_t count = platform::foundation::SystemLog::lines().size();
  // Fewer lines than stamped: the log was cleared at a boot, and every line is new.
  if (count < times_.size()) times_.clear();
  times_.resize(count, clock);
}

double LogClock::timeOf(size_t index) const {
  return index < times_.size() ? times_[index] : 0;
}

}  // namespace lunadoze::sim
