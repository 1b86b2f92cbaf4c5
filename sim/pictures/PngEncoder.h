#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "sim/pictures/RowDeflate.h"

namespace lunadoze::sim {

// Encodes pixels as cairo keeps them (ARGB32, premultiplied, a native-endian word a pixel) as a
// PNG file's bytes: RGB when every pixel is opaque, RGBA otherwise; the same pixels always give
// the same bytes. From one step of a script to the next most rows of a screen stay as they were,
// so the encoder remembers the last picture of a few sizes and takes the codes of the rows that
// are as they were again, rather than working them out anew, and the bits of a band of such rows.
// A picture that says which rows its drawing changed since the one remembered has only those
// rows looked at.
class PngEncoder {
 public:
  // The calling thread's encoder: what it remembers is the thread's own.
  static PngEncoder& ofThisThread();

  // A picture drawn again over an earlier drawing, and the rows that drawing changed (one flag a
  // row): when the encoder remembers that drawing, the other rows are known as they were.
  struct Drawing {
    uint64_t drawing = 0;
    uint64_t drawnOver = 0;
    std::span<const char> redrawn;
  };

  // The file's bytes, valid until the next encoding. The picture has at least one pixel.
  std::span<const unsigned char> encode(const unsigned char* data, int stride, int width, int height,
                                        const Drawing* drawing = nullptr);
  // The same in two halves: take() reads the pixels, after which they may change; bytes() works
  // out the file of the picture taken last (on another thread, if need be, but not while another
  // take() runs).
  void take(const unsigned char* data, int stride, int width, int height, const Drawing* drawing = nullptr);
  std::span<const unsigned char> bytes();

 private:
  // The last picture encoded of a size, as the next one of that size needs it.
  struct Memory {
    int width = 0;
    int height = 0;
    uint64_t used = 0;
    // False until a picture has been encoded whole, and from its take() until its file is made.
    bool encoded = false;
    // The drawing encoded, when the picture said which (0 when not).
    uint64_t drawing = 0;
    bool opaque = true;
    // The rows' pixels packed; which rows are the row above again; which rows are opaque.
    std::vector<unsigned char> pixels;
    std::vector<char> sameAsAbove;
    std::vector<char> rowOpaque;
    // Which rows are of one colour, and that colour.
    std::vector<char> oneColour;
    std::vector<uint32_t> colours;
    // Each row's codes (from starts[y] to starts[y + 1]) and checksum as the last picture had them,
    // its stream and the stream's blocks, one a band of rows.
    std::vector<RowDeflate::Token> tokens;
    std::vector<size_t> starts;
    std::vector<uint32_t> checksums;
    std::vector<unsigned char> stream;
    std::vector<RowDeflate::Block> blocks;
    std::vector<unsigned char> png;
  };

  // Which rows differ from the remembered picture's (all when there is none), with whether every
  // pixel is opaque.
  struct RowSurvey {
    std::vector<char> changed;
    bool anyChanged = false;
    bool opaque = true;
  };

  Memory& memoryOfSize(int width, int height);
  // Compares the rows with the memory's and takes the new ones into it. Only the rows flagged in
  // `redrawn` may differ from the memory's, or any row when it is empty.
  void survey(const unsigned char* data, int stride, Memory& memory, std::span<const char> redrawn);
  // The rows as the survey took them in, filtered and compressed into one zlib stream, a block a
  // band of rows; their codes and the blocks go into the memory.
  std::span<const unsigned char> compressedRows(Memory& memory);

  // The rows of a block: small enough that a change redoes little, large enough that the blocks'
  // tables cost little.
  static constexpr int kBandRows = 128;

  // A few sizes: the screens a script takes turns with.
  std::array<Memory, 3> memories_;
  uint64_t uses_ = 0;
  RowSurvey survey_;
  // The memory of the picture taken last, whether its file is still to be worked out, and whether
  // the codes its rows had in the last file can be taken again.
  Memory* taken_ = nullptr;
  bool compress_ = false;
  bool known_ = false;
  // Kept from one picture to the next, so that their memory is not asked for again.
  std::vector<unsigned char> filteredRows_[2];
  RowDeflate::Buffers compressed_;
  std::vector<size_t> starts_;
  std::vector<uint32_t> checksums_;
  std::vector<RowDeflate::Block> blocks_;
};

}  // namespace lunadoze::sim
