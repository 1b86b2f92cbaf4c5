#include "sim/StateWatcher.h"

#include <algorithm>

#include "sim/StateDump.h"
#include "sim/StateFormat.h"

namespace lunadoze::sim {

void StateWatcher::watch(const std::vector<std::string>& keys, std::ostream& out) {
  out_ = &out;
  for (const std::string& key : keys) {
    if (std::ranges::none_of(watched_, [&key](const auto& line) { return line.first == key; })) {
      watched_.emplace_back(key, state_.value(key).value_or(std::string(kNone)));
    }
  }
}

void StateWatcher::stop() {
  watched_.clear();
}

std::vector<std::string> StateWatcher::keys() const {
  std::vector<std::string> keys;
  for (const auto& [key, value] : watched_) keys.push_back(key);
  return keys;
}

void StateWatcher::check() {
  for (auto& [key, last] : watched_) {
    std::string now = state_.value(key).value_or(std::string(kNone));
    if (now == last) continue;
    *out_ << formatClock(clock_()) << "  " << key << ": " << last << " -> " << now << '\n';
    last = std::move(now);
  }
}

}  // namespace lunadoze::sim
