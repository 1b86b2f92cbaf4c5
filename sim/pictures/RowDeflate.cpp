#include "sim/pictures/RowDeflate.h"

#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace lunadoze::sim {
namespace {

// A code as it goes into the stream: its bits in the order they are written, and how many.
struct Code {
  uint32_t bits = 0;
  uint32_t count = 0;
};

constexpr uint32_t reversed(uint32_t code, uint32_t count) {
  uint32_t result = 0;
  for (uint32_t i = 0; i < count; ++i) result |= ((code >> i) & 1) << (count - 1 - i);
  return result;
}

// The fixed code of a literal/length symbol (0-287).
constexpr Code fixedCode(uint32_t symbol) {
  if (symbol < 144) return {reversed(0x30 + symbol, 8), 8};
  if (symbol < 256) return {reversed(0x190 + symbol - 144, 9), 9};
  if (symbol < 280) return {reversed(symbol - 256, 7), 7};
  return {reversed(0xC0 + symbol - 280, 8), 8};
}

constexpr uint16_t kLengthBase[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                    31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                    2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t kDistanceBase[] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                      33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                      1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t kDistanceExtra[] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                      6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
constexpr size_t kMinMatch = 3;
constexpr size_t kMaxMatch = 258;
constexpr size_t kMaxDistance = 32768;

// Each length's symbol code followed by its extra bits, in one piece.
constexpr auto kLengthCodes = [] {
  std::array<Code, kMaxMatch + 1> codes{};
  size_t index = 0;
  for (size_t length = kMinMatch; length <= kMaxMatch; ++length) {
    while (index + 1 < std::size(kLengthBase) && kLengthBase[index + 1] <= length) ++index;
    const Code symbol = fixedCode(257 + static_cast<uint32_t>(index));
    codes[length] = {symbol.bits | static_cast<uint32_t>(length - kLengthBase[index]) << symbol.count,
                     symbol.count + kLengthExtra[index]};
  }
  return codes;
}();

constexpr auto kLiteralCodes = [] {
  std::array<Code, 256> codes{};
  for (uint32_t byte = 0; byte < 256; ++byte) codes[byte] = fixedCode(byte);
  return codes;
}();

Code distanceCode(size_t distance) {
  size_t index = 0;
  while (index + 1 < std::size(kDistanceBase) && kDistanceBase[index + 1] <= distance) ++index;
  return {reversed(static_cast<uint32_t>(index), 5) | static_cast<uint32_t>(distance - kDistanceBase[index])
                                                          << 5,
          5u + kDistanceExtra[index]};
}

// How many bytes from `a` on equal those from `b` on, up to `limit`: a word at a time.
size_t matchLength(const unsigned char* a, const unsigned char* b, size_t limit) {
  size_t length = 0;
  while (length + 8 <= limit) {
    uint64_t x, y;
    std::memcpy(&x, a + length, 8);
    std::memcpy(&y, b + length, 8);
    if (x != y) {
      const uint64_t differ = x ^ y;
      const int bit =
          std::endian::native == std::endian::little ? std::countr_zero(differ) : std::countl_zero(differ);
      return length + static_cast<size_t>(bit / 8);
    }
    length += 8;
  }
  while (length < limit && a[length] == b[length]) ++length;
  return length;
}

// Bits out, the first written in the lowest bit of each byte.
class BitWriter {
 public:
  explicit BitWriter(unsigned char* out) : out_(out) {}

  void put(Code code) {
    pending_ |= static_cast<uint64_t>(code.bits) << count_;
    count_ += code.count;
    if (count_ >= 32) {
      for (int i = 0; i < 4; ++i) *out_++ = static_cast<unsigned char>(pending_ >> (8 * i));
      pending_ >>= 32;
      count_ -= 32;
    }
  }
  // Writes what is left, padded to a whole byte; returns the end.
  unsigned char* finish() {
    for (; count_ > 0; count_ -= std::min(count_, 8u)) {
      *out_++ = static_cast<unsigned char>(pending_);
      pending_ >>= 8;
    }
    return out_;
  }

 private:
  unsigned char* out_;
  uint64_t pending_ = 0;
  uint32_t count_ = 0;
};

}  // namespace

std::span<const unsigned char> deflateRows(std::span<const unsigned char> rows, size_t rowSize,
                                           std::vector<unsigned char>& buffer) {
  const unsigned char* data = rows.data();
  const size_t size = rows.size();
  // No code is longer than nine bits a byte; the header, the trailer and a word of slack.
  // Grown, never shrunk: growing clears what is about to be written anyway.
  if (const size_t bound = size + size / 8 + 16; buffer.size() < bound) buffer.resize(bound);
  unsigned char* start = buffer.data();
  // Deflate with a 32 KiB window, no preset dictionary, the fastest compression said.
  start[0] = 0x78;
  start[1] = 0x01;
  BitWriter writer(start + 2);
  writer.put({0b011, 3});  // the last block, of the fixed codes
  const bool rowAbove = rowSize > 0 && rowSize <= kMaxDistance;
  const Code byteBack = distanceCode(1);
  const Code rowBack = rowAbove ? distanceCode(rowSize) : Code{};
  for (size_t at = 0; at < size;) {
    const size_t limit = std::min(kMaxMatch, size - at);
    size_t length = at >= 1 ? matchLength(data + at, data + at - 1, limit) : 0;
    bool up = false;
    if (rowAbove && at >= rowSize && length < limit) {
      if (const size_t above = matchLength(data + at, data + at - rowSize, limit); above > length) {
        length = above;
        up = true;
      }
    }
    if (length < kMinMatch) {
      writer.put(kLiteralCodes[data[at++]]);
      continue;
    }
    writer.put(kLengthCodes[length]);
    writer.put(up ? rowBack : byteBack);
    at += length;
  }
  writer.put(fixedCode(256));
  unsigned char* end = writer.finish();
  const uint32_t adler = libdeflate_adler32(1, data, size);
  for (int shift = 24; shift >= 0; shift -= 8) *end++ = static_cast<unsigned char>(adler >> shift);
  return {start, end};
}

}  // namespace lunadoze::sim
