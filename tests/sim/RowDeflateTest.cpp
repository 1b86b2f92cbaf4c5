#include <gtest/gtest.h>
#include <libdeflate.h>

#include <random>
#include <vector>

#include "sim/pictures/RowDeflate.h"

namespace lunadoze::sim {
namespace {

std::vector<unsigned char> inflated(std::span<const unsigned char> stream, size_t expected) {
  libdeflate_decompressor* decompressor = libdeflate_alloc_decompressor();
  std::vector<unsigned char> out(expected + 1);
  size_t size = 0;
  const auto result =
      libdeflate_zlib_decompress(decompressor, stream.data(), stream.size(), out.data(), out.size(), &size);
  libdeflate_free_decompressor(decompressor);
  EXPECT_EQ(result, LIBDEFLATE_SUCCESS);
  out.resize(size);
  return out;
}

// Rows of every kind a picture has: noise (literals of both code lengths), runs of every length,
// and rows repeated, at row sizes in each distance class up to beyond the window.
TEST(RowDeflateTest, AnyRowsComeBackAsTheyWent) {
  std::mt19937 random(7);
  std::vector<unsigned char> buffer;
  for (size_t rowSize :
       {1u, 2u, 3u, 5u, 8u, 13u, 100u, 257u, 1921u, 2561u, 4097u, 24577u, 32768u, 32769u, 40000u}) {
    std::vector<unsigned char> rows;
    size_t run = 1;
    while (rows.size() < 3 * rowSize + 2000) {
      const auto kind = random() % 4;
      const auto byte = static_cast<unsigned char>(random());
      if (kind == 0) {
        rows.push_back(byte);
      } else if (kind == 1) {
        rows.insert(rows.end(), run, byte);
        run = run % 300 + 1;
      } else if (kind == 2 && rows.size() >= rowSize) {
        const size_t from = rows.size() - rowSize;
        for (size_t i = 0; i < std::min<size_t>(rowSize, 700); ++i) rows.push_back(rows[from + i]);
      }
    }
    const auto stream = deflateRows(rows, rowSize, buffer);
    EXPECT_EQ(inflated(stream, rows.size()), rows) << "rows of " << rowSize;
  }
  // Nothing at all is a valid stream of nothing.
  EXPECT_TRUE(inflated(deflateRows({}, 10, buffer), 0).empty());
}

// A screen is flat colours: a row of one colour and rows like it take a few bytes each.
TEST(RowDeflateTest, FlatRowsTakeAFewBytesEach) {
  const size_t rowSize = 1 + 640 * 3;
  std::vector<unsigned char> rows(rowSize * 800, 0);
  for (size_t row = 0; row < 800; ++row) {
    rows[row * rowSize] = 1;
    rows[row * rowSize + 1] = static_cast<unsigned char>(row / 100);
  }
  std::vector<unsigned char> buffer;
  const auto stream = deflateRows(rows, rowSize, buffer);
  EXPECT_LT(stream.size(), 800u * 24);
  EXPECT_EQ(inflated(stream, rows.size()), rows);
}

}  // namespace
}  // namespace lunadoze::sim
