#pragma once

#include <bit>
#include <cstdint>
#include <string_view>

namespace lunadoze::sim {

// A 64-bit digest of what a view draws with: two drawings with the same digest are taken to be
// the same drawing. FNV-1a over the values' bytes.
class Fingerprint {
 public:
  Fingerprint& add(std::string_view bytes) {
    add(static_cast<uint64_t>(bytes.size()));
    for (const char byte : bytes) mix(static_cast<unsigned char>(byte));
    return *this;
  }
  Fingerprint& add(uint64_t value) {
    for (int shift = 0; shift < 64; shift += 8) mix(static_cast<unsigned char>(value >> shift));
    return *this;
  }
  Fingerprint& add(int64_t value) { return add(static_cast<uint64_t>(value)); }
  Fingerprint& add(bool value) { return add(uint64_t{value}); }
  Fingerprint& add(double value) { return add(std::bit_cast<uint64_t>(value)); }
  // A pointer would be taken as a bool: say which, a string_view or the pointer's value.
  Fingerprint& add(const char*) = delete;

  uint64_t value() const { return value_; }

 private:
  void mix(unsigned char byte) {
    value_ ^= byte;
    value_ *= 0x100000001B3;
  }

  uint64_t value_ = 0xCBF29CE484222325;
};

}  // namespace lunadoze::sim
