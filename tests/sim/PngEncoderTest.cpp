#include <gtest/gtest.h>
#include <libdeflate.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "sim/pictures/PngEncoder.h"

namespace lunadoze::sim {
namespace {

constexpr int kWidth = 97;
constexpr int kHeight = 300;
constexpr int kStride = kWidth * 4;

// The pixels inflated from a PNG's one IDAT chunk, as the filters left them.
std::vector<unsigned char> rowsOf(std::span<const unsigned char> png) {
  std::vector<unsigned char> idat;
  for (size_t at = 8; at + 12 <= png.size();) {
    const uint32_t length =
        uint32_t{png[at]} << 24 | uint32_t{png[at + 1]} << 16 | uint32_t{png[at + 2]} << 8 | png[at + 3];
    if (std::memcmp(&png[at + 4], "IDAT", 4) == 0) idat.assign(&png[at + 8], &png[at + 8] + length);
    at += 12 + length;
  }
  std::vector<unsigned char> out(static_cast<size_t>(kHeight) * (1 + kStride));
  size_t size = 0;
  libdeflate_decompressor* decompressor = libdeflate_alloc_decompressor();
  const auto result =
      libdeflate_zlib_decompress(decompressor, idat.data(), idat.size(), out.data(), out.size(), &size);
  libdeflate_free_decompressor(decompressor);
  EXPECT_EQ(result, LIBDEFLATE_SUCCESS);
  out.resize(size);
  return out;
}

// A screen's worth of flat bands with some noise in them.
void paint(std::vector<uint32_t>& pixels, int top, int bottom, uint32_t colour, std::mt19937& random) {
  for (int y = top; y < bottom; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      pixels[static_cast<size_t>(y) * kWidth + x] = random() % 7 == 0 ? (random() | 0xFF000000) : colour;
    }
  }
}

// A picture drawn again and again, each time over a few rows, with the rows said: what the
// encoder makes of it is what it makes of the same pixels seen for the first time.
TEST(PngEncoderTest, ADrawingOverTheLastIsEncodedAsAfresh) {
  std::mt19937 random(11);
  std::vector<uint32_t> pixels(static_cast<size_t>(kWidth) * kHeight, 0xFF202840);
  PngEncoder again;
  uint64_t drawing = 0;
  struct Change {
    int top, bottom;
    uint32_t colour;
  };
  // Within a band, across bands, the first and last rows, nothing at all, and a see-through
  // change, which makes the picture RGBA, then opaque again.
  for (const Change change :
       {Change{0, kHeight, 0xFF202840}, Change{70, 90, 0xFF8090A0}, Change{60, 200, 0xFF102030},
        Change{0, 1, 0xFFFFFFFF}, Change{299, 300, 0xFF000000}, Change{150, 150, 0},
        Change{100, 120, 0x80402010}, Change{100, 120, 0xFF402010}}) {
    paint(pixels, change.top, change.bottom, change.colour, random);
    // The rows said are more than those changed, as a painter's are.
    std::vector<char> redrawn(kHeight, 0);
    for (int y = std::max(0, change.top - 5); y < std::min(kHeight, change.bottom + 5); ++y) redrawn[y] = 1;
    const PngEncoder::Drawing said{drawing + 1, drawing, redrawn};
    ++drawing;
    const auto* data = reinterpret_cast<const unsigned char*>(pixels.data());
    const auto over = again.encode(data, kStride, kWidth, kHeight, &said);
    const std::vector<unsigned char> overBytes(over.begin(), over.end());
    PngEncoder fresh;
    const auto afresh = fresh.encode(data, kStride, kWidth, kHeight);
    EXPECT_EQ(overBytes, std::vector<unsigned char>(afresh.begin(), afresh.end()))
        << "after rows " << change.top << " to " << change.bottom;
    const bool opaque =
        std::all_of(pixels.begin(), pixels.end(), [](uint32_t pixel) { return pixel >> 24 == 0xFF; });
    EXPECT_EQ(rowsOf(overBytes).size(), static_cast<size_t>(kHeight) * (1 + kWidth * (opaque ? 3 : 4)));
    // The same drawing again is the same file.
    const auto same = again.encode(data, kStride, kWidth, kHeight, &said);
    EXPECT_EQ(overBytes, std::vector<unsigned char>(same.begin(), same.end()));
  }
}

}  // namespace
}  // namespace lunadoze::sim
