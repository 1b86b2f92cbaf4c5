#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform::foundation {

// What libplist must not be handed: it aborts on a dictionary key holding U+0000 and builds a
// tree as deep (or, through shared objects, as large) as the input asks, which the recursive code
// that walks such trees cannot take. The bytes are looked at before libplist parses them.
class PropertyListCheck {
 public:
  // Deeper than any settings file, strings table or interface file nests.
  static constexpr size_t kMaxDepth = 128;
  // Values in the tree parsed from a binary list, whose shared objects may expand far beyond its size.
  static constexpr size_t kMaxValues = size_t{1} << 18;

  // Why the bytes must not be parsed; nullopt when they may be (they may still be malformed).
  // libplist converts a binary date to whole seconds with a cast that overflows beyond their
  // range: such a date is clamped to the 32-bit seconds libplist holds, in a copy of the bytes
  // left in `repaired` (empty when no date needed it).
  static std::optional<std::string> problem(std::span<const uint8_t> bytes, std::vector<uint8_t>& repaired);

 private:
  static std::optional<std::string> problemInBinary(std::span<const uint8_t> bytes,
                                                    std::vector<uint8_t>& repaired);
  static std::optional<std::string> problemInXml(std::span<const uint8_t> bytes);
};

}  // namespace platform::foundation
