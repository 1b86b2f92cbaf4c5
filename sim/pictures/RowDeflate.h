#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace lunadoze::sim {

// Compresses filtered picture rows into a zlib stream, fast, for what screens are: runs of one
// byte (a flat colour after the sub filter) and rows like the one above. Matches reach back one
// byte or one row only and stay within a row, in one block of the fixed codes, so the work is a
// comparison per byte, a row repeated costs only its codes, and the same rows always give the
// same bytes.
class RowDeflate {
 public:
  // Rows of `rowSize` bytes (with their filter byte). The stream is written at the start of
  // `buffer`, which grows to fit `rows` rows and can be kept for the next picture.
  RowDeflate(size_t rowSize, size_t rows, std::vector<unsigned char>& buffer);

  // The next row. It must stay as it is until the row after it has been added.
  void add(const unsigned char* row);
  // The last row added, again.
  void repeat();
  // The whole stream; nothing may be added after.
  std::span<const unsigned char> finish();

  // A code as it goes into the stream: its bits in the order they are written, and how many.
  struct Code {
    uint32_t bits = 0;
    uint32_t count = 0;
  };

 private:
  void put(Code code);
  // Codes the row by the longest match one byte or one row back at each place.
  template <typename Emit>
  void encode(const unsigned char* row, const unsigned char* above, Emit emit) const;
  uint32_t withRow(uint32_t sofar, uint32_t row) const;

  size_t rowSize_;
  unsigned char* start_;
  unsigned char* out_;
  uint64_t pending_ = 0;
  uint32_t pendingCount_ = 0;
  uint32_t adler_ = 1;
  uint32_t lastAdler_ = 1;
  const unsigned char* last_ = nullptr;
  Code rowBack_;
  std::vector<Code> repeated_;
};

}  // namespace lunadoze::sim
