#include <gtest/gtest.h>
#include <libdeflate.h>

#include <algorithm>
#include <cstddef>
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
// parts of the row above and whole rows repeated, at row sizes in each distance class up to
// beyond the window.
TEST(RowDeflateTest, AnyRowsComeBackAsTheyWent) {
  std::mt19937 random(7);
  RowDeflate::Buffers buffer;
  for (size_t rowSize : {1u,   2u,    3u,    4u,    5u,     8u,     13u,    100u,   257u,   259u,
                         260u, 1921u, 2561u, 4097u, 24577u, 32768u, 32769u, 40000u, 65521u, 70000u}) {
    const size_t count = 12;
    std::vector<std::vector<unsigned char>> rows;
    std::vector<unsigned char> all;
    RowDeflate deflate(rowSize, buffer);
    size_t run = 1;
    for (size_t y = 0; y < count; ++y) {
      if (y > 0 && random() % 3 == 0) {
        deflate.repeat();
        all.insert(all.end(), rows.back().begin(), rows.back().end());
        continue;
      }
      std::vector<unsigned char> row;
      while (row.size() < rowSize) {
        const auto byte = static_cast<unsigned char>(random());
        if (const auto kind = random() % 3; kind == 0) {
          row.push_back(byte);
        } else if (kind == 1) {
          row.insert(row.end(), std::min(run, rowSize - row.size()), byte);
          run = run % 300 + 1;
        } else if (!rows.empty()) {
          const size_t length = std::min<size_t>(random() % 400, rowSize - row.size());
          const auto above = rows.back().begin() + static_cast<std::ptrdiff_t>(row.size());
          row.insert(row.end(), above, above + static_cast<std::ptrdiff_t>(length));
        }
      }
      rows.push_back(std::move(row));
      deflate.add(rows.back().data());
      all.insert(all.end(), rows.back().begin(), rows.back().end());
    }
    EXPECT_EQ(inflated(deflate.finish(), all.size()), all) << "rows of " << rowSize;
  }
  // Bytes as unequally frequent as can be (by the Fibonacci numbers) want codes longer than
  // deflate allows; shortened, they must still make a complete code.
  {
    std::vector<unsigned char> row;
    for (uint32_t byte = 0, a = 1, b = 1; byte < 26; ++byte, b = a + b, a = b - a)
      row.insert(row.end(), a, byte);
    std::shuffle(row.begin(), row.end(), random);
    RowDeflate deflate(row.size(), buffer);
    deflate.add(row.data());
    EXPECT_EQ(inflated(deflate.finish(), row.size()), row);
  }
  // No rows at all is a valid stream of nothing.
  EXPECT_TRUE(inflated(RowDeflate(10, buffer).finish(), 0).empty());
}

// A screen is flat colours: a row of one colour and rows like it take a few bytes each.
TEST(RowDeflateTest, FlatRowsTakeAFewBytesEach) {
  const size_t rowSize = 1 + 640 * 3;
  std::vector<unsigned char> row(rowSize, 0);
  row[0] = 1;
  std::vector<unsigned char> all;
  RowDeflate::Buffers buffer;
  RowDeflate deflate(rowSize, buffer);
  std::vector<unsigned char> rows[2] = {row, row};
  for (size_t y = 0; y < 800; ++y) {
    // A new colour every hundred rows, the same row again in between.
    if (y % 100 == 0) {
      auto& next = rows[y / 100 % 2];
      next[1] = static_cast<unsigned char>(y / 100);
      deflate.add(next.data());
      row = next;
    } else {
      deflate.repeat();
    }
    all.insert(all.end(), row.begin(), row.end());
  }
  const auto stream = deflate.finish();
  EXPECT_LT(stream.size(), 800u * 5);
  EXPECT_EQ(inflated(stream, all.size()), all);
}

}  // namespace
}  // namespace lunadoze::sim
