#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace lunadoze::sim {

// Compresses filtered picture rows into a zlib stream, fast, for what screens are: runs of one
// byte (a flat colour after the sub filter) and rows like the one above. Matches reach back one
// byte or one row only and stay within a row, so the work is a comparison per byte and a row
// repeated costs only its codes; one block with codes made for the rows keeps the file small.
// The same rows always give the same bytes.
class RowDeflate {
 public:
  // What a compression needs, kept for the next one so that its memory is not asked for again.
  struct Buffers {
    std::vector<unsigned char> out;
    std::vector<uint32_t> tokens;
  };

  // Rows of `rowSize` bytes (with their filter byte). The stream is written at the start of
  // the buffers' `out`.
  RowDeflate(size_t rowSize, Buffers& buffers);

  // The next row. It must stay as it is until the row after it has been added.
  void add(const unsigned char* row);
  // The last row added, again.
  void repeat();
  // The next row, coded before as `tokens` (what tokens() held for it) with the checksum
  // `checksum`, after the same row above: its codes depend on nothing else.
  void reuse(std::span<const uint32_t> tokens, uint32_t checksum);
  // The row above the next one, for when the last one came from reuse(): the same bytes as it.
  // It must stay as it is until the row after it has been added.
  void above(const unsigned char* row);
  // The rows' codes so far, and the checksum of the last row.
  std::span<const uint32_t> tokens() const { return tokens_; }
  uint32_t lastChecksum() const { return lastAdler_; }
  // The whole stream; nothing may be added after.
  std::span<const unsigned char> finish();

  // A code as it goes into the stream: its bits in the order they are written, and how many.
  struct Code {
    uint32_t bits = 0;
    uint32_t count = 0;
  };

 private:
  // A token is a literal byte, or a match of a length one byte or one row back.
  static constexpr uint32_t kMatch = 1u << 31;
  static constexpr uint32_t kUp = 1u << 30;

  void put(Code code);
  // The row as tokens: the longest match one byte or one row back at each place.
  template <typename Emit>
  void encode(const unsigned char* row, const unsigned char* above, Emit emit) const;
  uint32_t withRow(uint32_t sofar, uint32_t row) const;

  size_t rowSize_;
  std::vector<unsigned char>& buffer_;
  std::vector<uint32_t>& tokens_;
  unsigned char* out_ = nullptr;
  uint64_t pending_ = 0;
  uint32_t pendingCount_ = 0;
  uint32_t adler_ = 1;
  uint32_t lastAdler_ = 1;
  const unsigned char* last_ = nullptr;
  // The distance of the row above; none when it is beyond the window.
  uint32_t rowBack_ = 0;
  std::vector<uint32_t> repeated_;
};

}  // namespace lunadoze::sim
