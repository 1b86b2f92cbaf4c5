#include "sim/StateDump.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <vector>

#include "sim/NearestNames.h"
#include "sim/StateFormat.h"

namespace lunadoze::sim {

std::optional<size_t> StateDump::indexOf(std::string_view key) {
  auto found = std::ranges::find(kKeys, key);
  if (found == kKeys.end()) return std::nullopt;
  return static_cast<size_t>(found - kKeys.begin());
}

bool StateDump::isKey(std::string_view key) {
  return indexOf(key).has_value();
}

std::string StateDump::unknownKey(std::string_view key) {
  const std::vector<std::string> keys(kKeys.begin(), kKeys.end());
  return "no state line " + inQuotes(key) + didYouMean(key, keys) + " (help state lists them)";
}

void StateDump::provide(std::string_view key, Provider provider) {
  auto index = indexOf(key);
  if (!index) throw std::logic_error("no state line " + std::string(key));
  if (providers_[*index]) throw std::logic_error("state line provided twice: " + std::string(key));
  providers_[*index] = std::move(provider);
}

std::optional<std::string> StateDump::value(std::string_view key) const {
  auto index = indexOf(key);
  if (!index || !providers_[*index]) return std::nullopt;
  return providers_[*index]();
}

void StateDump::print(std::ostream& out) const {
  for (size_t i = 0; i < kKeys.size(); ++i) {
    if (providers_[i]) out << kKeys[i] << ": " << providers_[i]() << '\n';
  }
}

std::string StateDump::json() const {
  // Ordered as the dump prints it, so that a person reading it finds the lines where they expect.
  nlohmann::ordered_json object = nlohmann::ordered_json::object();
  for (size_t i = 0; i < kKeys.size(); ++i) {
    if (providers_[i]) object[std::string(kKeys[i])] = providers_[i]();
  }
  return object.dump();
}

}  // namespace lunadoze::sim
