#pragma once

#include <cstddef>
#include <deque>

namespace lunadoze::sim {

// When each line of the system log was written, by the device's clock: the log keeps only the
// text, so each new line is stamped as soon as the simulator sees it, after the command or the
// run-loop event that wrote it (virtual time stands still while either runs). Like the log, it
// keeps the stamps of the lines the log still holds.
class LogClock {
 public:
  // Stamps the lines written since the last call with the clock's reading.
  void update(double clock);
  // The log was cleared.
  void reset();
  // The clock at which the line at `index` of the lines the log keeps was written.
  double timeOf(size_t index) const;

 private:
  std::deque<double> times_;
  size_t first_ = 0;  // the number, since the log was cleared, of the line stamped first in times_
};

}  // namespace lunadoze::sim
