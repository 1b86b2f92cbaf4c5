#pragma once

#include <cstddef>
#include <vector>

namespace lunadoze::sim {

// When each line of the system log was written, by the device's clock: the log keeps only the
// text, so each new line is stamped as soon as the simulator sees it, after the command or the
// run-loop event that wrote it (virtual time stands still while either runs).
class LogClock {
 public:
  // Stamps the lines written since the last call with the clock's reading.
  void update(double clock);
  // The log was cleared.
  void reset() { times_.clear(); }
  // The clock at which the line at `index` was written.
  double timeOf(size_t index) const;

 private:
  std::vector<double> times_;
};

}  // namespace lunadoze::sim
