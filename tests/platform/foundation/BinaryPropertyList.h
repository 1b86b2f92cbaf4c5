#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace platform::foundation {

// A binary property list laid out by hand from its objects (each one's marker and contents,
// references two bytes wide), the first object at the top: for lists no writer would make.
inline std::string binaryPropertyList(const std::vector<std::string>& objects) {
  std::string bytes = "bplist00";
  std::vector<uint64_t> offsets;
  for (const std::string& object : objects) {
    offsets.push_back(bytes.size());
    bytes += object;
  }
  const uint64_t table = bytes.size();
  auto append = [&](uint64_t value, int width) {
    for (int shift = 8 * (width - 1); shift >= 0; shift -= 8)
      bytes += static_cast<char>(value >> shift & 0xFF);
  };
  const int offsetWidth = table > 0xFFFF ? 4 : 2;
  for (uint64_t offset : offsets) append(offset, offsetWidth);
  bytes += std::string(6, '\0');
  bytes += static_cast<char>(offsetWidth);
  bytes += '\2';
  append(objects.size(), 8);
  append(0, 8);
  append(table, 8);
  return bytes;
}

// A reference to object `index`, as binaryPropertyList lays them out.
inline std::string reference(uint64_t index) {
  return {static_cast<char>(index >> 8), static_cast<char>(index & 0xFF)};
}

// An array or dictionary object: its marker byte, then references to the objects it holds.
// (Built by appending: GCC 12 at -O3 warns falsely of an overlapping copy in "marker" + string.)
inline std::string container(std::string_view marker, std::initializer_list<uint64_t> references) {
  std::string object(marker);
  for (uint64_t index : references) object += reference(index);
  return object;
}

}  // namespace platform::foundation
