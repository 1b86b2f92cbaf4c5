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
// are as they were again, rather than working them out anew.
class PngEncoder {
 public:
  // The calling thread's encoder: what it remembers is the thread's own.
  static PngEncoder& ofThisThread();

  // The file's bytes, valid until the next encoding. The picture has at least one pixel.
  std::span<const unsigned char> encode(const unsigned char* data, int stride, int width, int height);

 private:
  // The last picture encoded of a size, as the next one of that size needs it.
  struct Memory {
    int width = 0;
    int height = 0;
    uint64_t used = 0;
    // False until a picture has been encoded whole, and while one is being.
    bool encoded = false;
    bool opaque = true;
    // The rows' pixels packed; which rows are the row above again; which rows are opaque.
    std::vector<unsigned char> pixels;
    std::vector<char> sameAsAbove;
    std::vector<char> rowOpaque;
    // Which rows are of one colour, and that colour.
    std::vector<char> oneColour;
    std::vector<uint32_t> colours;
    // Each row's codes (from starts[y] to starts[y + 1]) and checksum as the last picture had them.
    std::vector<uint32_t> tokens;
    std::vector<size_t> starts;
    std::vector<uint32_t> checksums;
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
  // Compares the rows with the memory's and takes the new ones into it.
  void survey(const unsigned char* data, int stride, Memory& memory);
  // The rows filtered and compressed into one zlib stream; their codes go into the memory.
  std::span<const unsigned char> compressedRows(const unsigned char* data, int stride, Memory& memory);

  // A few sizes: the screens a script takes turns with.
  std::array<Memory, 3> memories_;
  uint64_t uses_ = 0;
  RowSurvey survey_;
  // Kept from one picture to the next, so that their memory is not asked for again.
  std::vector<unsigned char> filteredRows_[2];
  RowDeflate::Buffers compressed_;
  std::vector<size_t> starts_;
  std::vector<uint32_t> checksums_;
};

}  // namespace lunadoze::sim
