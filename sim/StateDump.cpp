#include "sim/StateDump.h"

#include <algorithm>
#include <stdexcept>

namespace lunadoze::sim {

std::optional<size_t> StateDump::indexOf(std::string_view key) {
  auto found = std::ranges::find(kKeys, key);
  if (found == kKeys.end()) return std::nullopt;
  return static_cast<size_t>(found - kKeys.begin());
}

bool StateDump::isKey(std::string_view key) {
  return indexOf(key).has_value();
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

}  // namespace lunadoze::sim
