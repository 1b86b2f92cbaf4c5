#pragma once

#include <compare>
#include <cstdint>

namespace platform::uikit {

// A row of a table: [NSIndexPath indexPathForRow:inSection:]. A value, compared section first.
struct NSIndexPath {
  int64_t section = 0;
  int64_t row = 0;

  static constexpr NSIndexPath indexPathForRow(int64_t row, int64_t section) { return {section, row}; }

  auto operator<=>(const NSIndexPath&) const = default;
};

}  // namespace platform::uikit
