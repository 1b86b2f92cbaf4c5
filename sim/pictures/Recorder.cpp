#include "sim/pictures/Recorder.h"

#include <algorithm>

#include "sim/StateDump.h"
#include "sim/StateFormat.h"

namespace lunadoze::sim {

void Recorder::add(const std::vector<std::string>& keys, const StateDump& state, double clock) {
  forgetEarlierRuns(clock);
  for (const auto& key : keys) {
    auto known =
        std::find_if(series_.begin(), series_.end(), [&key](const Series& s) { return s.key == key; });
    if (known != series_.end()) continue;
    series_.push_back({key, {{clock, state.value(key).value_or(std::string(kNone))}}});
  }
}

void Recorder::sample(const StateDump& state, double clock) {
  forgetEarlierRuns(clock);
  for (auto& series : series_) {
    std::string value = state.value(series.key).value_or(std::string(kNone));
    if (value != series.samples.back().value) series.samples.push_back({clock, std::move(value)});
  }
}

void Recorder::forgetEarlierRuns(double clock) {
  // Each script starts the device afresh with its clock at zero: what an earlier one recorded
  // belongs to another night.
  for (const auto& series : series_) {
    if (clock < series.samples.back().clock) {
      series_.clear();
      return;
    }
  }
}

}  // namespace lunadoze::sim
