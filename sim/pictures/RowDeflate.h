#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace lunadoze::sim {

// Compresses filtered picture rows into a zlib stream, fast, for what screens are: runs of one
// byte (a flat colour after the sub filter) and rows like the one above. Matches reach back one
// byte or one row only and stay within a row, so the work is a comparison per byte and a row
// repeated costs only its codes. The rows go in blocks, each with codes made for its rows, which
// keeps the file small; a block of rows coded as in an earlier stream is that stream's block
// again, its bits copied. The same rows in the same blocks always give the same bytes.
class RowDeflate {
 public:
  // A token is a literal byte (below kFirstMatch), or a match of a length one byte or one row
  // back: kFirstMatch + (length - 3) * 2, plus one when it is a row back.
  using Token = uint16_t;
  static constexpr size_t kFirstMatch = 256;
  static constexpr size_t kTokens = kFirstMatch + size_t{2} * 256;

  // What a compression needs, kept for the next one so that its memory is not asked for again.
  struct Buffers {
    std::vector<unsigned char> out;
    std::vector<Token> tokens;
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
  void reuse(std::span<const Token> tokens, uint32_t checksum);
  // The row above the next one, for when the last one came from reuse(): the same bytes as it.
  // It must stay as it is until the row after it has been added.
  void above(const unsigned char* row);
  // The rows' codes so far, and the checksum of the last row.
  std::span<const Token> tokens() const { return tokens_; }
  uint32_t lastChecksum() const { return lastAdler_; }

  // Where a block's bits are in its stream: from the bit `start` on (the lowest bit of a byte
  // first), `bits` of them.
  struct Block {
    uint64_t start = 0;
    uint64_t bits = 0;
  };
  // Ends a block of the rows since the last one, with codes made for them.
  Block endBlock();
  // Whether every row since the last block came from reuse(), and there is one.
  bool blockReused() const;
  // Ends a block of the rows since the last one, which came from reuse() and were coded in the
  // block `earlier` of the earlier stream `stream`, after the same rows: its bits again.
  Block endBlock(std::span<const unsigned char> stream, Block earlier);
  // The whole stream, the rows since the last block in a block of their own; nothing may be
  // added after.
  std::span<const unsigned char> finish();

  // A code as it goes into the stream: its bits in the order they are written, and how many.
  struct Code {
    uint64_t bits = 0;
    uint32_t count = 0;
  };

 private:
  void put(Code code);
  // Runs `codes` with a writer of the bits after those so far; room for them must be reserved.
  template <typename Write>
  void write(Write codes);
  uint64_t bitsWritten() const;
  // Room for this many more bits in the buffer.
  void reserve(uint64_t bits);
  // The stream's header, once.
  void start();
  // The row as tokens: the longest match one byte or one row back at each place.
  template <typename Emit>
  void encode(const unsigned char* row, const unsigned char* above, Emit emit) const;
  uint32_t withRow(uint32_t sofar, uint32_t row) const;

  size_t rowSize_;
  std::vector<unsigned char>& buffer_;
  std::vector<Token>& tokens_;
  size_t at_ = 0;
  bool started_ = false;
  // Where the rows of the block being made start in the tokens, and whether all came from reuse().
  size_t blockStart_ = 0;
  bool blockReused_ = true;
  uint64_t pending_ = 0;
  uint32_t pendingCount_ = 0;
  uint32_t adler_ = 1;
  uint32_t lastAdler_ = 1;
  const unsigned char* last_ = nullptr;
  // The distance of the row above; none when it is beyond the window.
  uint32_t rowBack_ = 0;
  std::vector<Token> repeated_;
};

}  // namespace lunadoze::sim
