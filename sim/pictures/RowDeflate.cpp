#include "sim/pictures/RowDeflate.h"

#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace lunadoze::sim {
namespace {

using Code = RowDeflate::Code;

constexpr uint32_t reversed(uint32_t code, uint32_t count) {
  uint32_t result = 0;
  for (uint32_t i = 0; i < count; ++i) result |= ((code >> i) & 1) << (count - 1 - i);
  return result;
}

// The fixed code of a literal/length symbol (0-287). Huffman codes go in from their top bit.
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

constexpr Code distanceCode(size_t distance) {
  size_t index = 0;
  while (index + 1 < std::size(kDistanceBase) && kDistanceBase[index + 1] <= distance) ++index;
  return {reversed(static_cast<uint32_t>(index), 5) | static_cast<uint32_t>(distance - kDistanceBase[index])
                                                          << 5,
          5u + kDistanceExtra[index]};
}

constexpr Code kByteBack = distanceCode(1);

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

}  // namespace

RowDeflate::RowDeflate(size_t rowSize, size_t rows, std::vector<unsigned char>& buffer) : rowSize_(rowSize) {
  // No byte takes more than nine bits (a literal; a match takes fewer), then the header, the
  // trailer and a word of slack.
  const size_t size = rowSize * rows;
  // Grown, never shrunk: growing clears what is about to be written anyway.
  if (const size_t bound = size + size / 8 + 16; buffer.size() < bound) buffer.resize(bound);
  start_ = out_ = buffer.data();
  // Deflate with a 32 KiB window, no preset dictionary, the fastest compression said.
  *out_++ = 0x78;
  *out_++ = 0x01;
  put({0b011, 3});  // the last block, of the fixed codes
  if (rowSize_ <= kMaxDistance) rowBack_ = distanceCode(rowSize_);
}

void RowDeflate::put(Code code) {
  pending_ |= static_cast<uint64_t>(code.bits) << pendingCount_;
  pendingCount_ += code.count;
  if (pendingCount_ >= 32) {
    for (int i = 0; i < 4; ++i) *out_++ = static_cast<unsigned char>(pending_ >> (8 * i));
    pending_ >>= 32;
    pendingCount_ -= 32;
  }
}

template <typename Emit>
void RowDeflate::encode(const unsigned char* row, const unsigned char* above, Emit emit) const {
  if (rowSize_ > kMaxDistance) above = nullptr;
  for (size_t at = 0; at < rowSize_;) {
    const size_t limit = std::min(kMaxMatch, rowSize_ - at);
    size_t length = at >= 1 ? matchLength(row + at, row + at - 1, limit) : 0;
    bool up = false;
    if (above != nullptr && length < limit) {
      if (const size_t same = matchLength(row + at, above + at, limit); same > length) {
        length = same;
        up = true;
      }
    }
    if (length < kMinMatch) {
      emit(kLiteralCodes[row[at++]]);
      continue;
    }
    emit(kLengthCodes[length]);
    emit(up ? rowBack_ : kByteBack);
    at += length;
  }
}

// The checksum of the bytes so far followed by a row whose own checksum is `row`.
uint32_t RowDeflate::withRow(uint32_t sofar, uint32_t row) const {
  constexpr uint64_t kBase = 65521;
  const uint64_t length = rowSize_ % kBase;
  const uint64_t low = ((sofar & 0xFFFF) + (row & 0xFFFF) + kBase - 1) % kBase;
  const uint64_t high = ((sofar >> 16) + (row >> 16) + length * (sofar & 0xFFFF) + kBase - length) % kBase;
  return static_cast<uint32_t>(high << 16 | low);
}

void RowDeflate::add(const unsigned char* row) {
  lastAdler_ = libdeflate_adler32(1, row, rowSize_);
  adler_ = withRow(adler_, lastAdler_);
  encode(row, last_, [this](Code code) { put(code); });
  last_ = row;
  repeated_.clear();
}

void RowDeflate::repeat() {
  if (last_ == nullptr) return;
  adler_ = withRow(adler_, lastAdler_);
  // A row the same as the one above is coded the same way every time: worked out once.
  if (repeated_.empty()) encode(last_, last_, [this](Code code) { repeated_.push_back(code); });
  for (const Code code : repeated_) put(code);
}

std::span<const unsigned char> RowDeflate::finish() {
  put(fixedCode(256));
  for (; pendingCount_ > 0; pendingCount_ -= std::min(pendingCount_, 8u)) {
    *out_++ = static_cast<unsigned char>(pending_);
    pending_ >>= 8;
  }
  for (int shift = 24; shift >= 0; shift -= 8) *out_++ = static_cast<unsigned char>(adler_ >> shift);
  return {start_, out_};
}

}  // namespace lunadoze::sim
