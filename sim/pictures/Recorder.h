#pragma once

#include <map>
#include <string>
#include <vector>

namespace lunadoze::sim {

class StateDump;

// The state lines chosen by `record`, kept at every change with the clock reading, for `plot`.
class Recorder {
 public:
  struct Sample {
    double clock;
    std::string value;
  };
  struct Series {
    std::string key;
    std::vector<Sample> samples;
  };

  // Starts recording the keys not recorded yet, from their present value. A clock that reads
  // earlier than the last sample (a script's fresh device) drops what was recorded before.
  void add(const std::vector<std::string>& keys, const StateDump& state, double clock);
  // Reads the recorded lines and keeps those that changed.
  void sample(const StateDump& state, double clock);
  void clear() { series_.clear(); }

  const std::vector<Series>& series() const { return series_; }
  bool isEmpty() const { return series_.empty(); }

 private:
  void forgetEarlierRuns(double clock);

  std::vector<Series> series_;
};

}  // namespace lunadoze::sim
