#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace lunadoze::sim {

// Compresses filtered picture rows into a zlib stream, fast, for what screens are: runs of one
// byte (a flat colour after the sub filter) and rows like the one above. Matches reach back one
// byte or one row only, in one block of the fixed codes, so the work is a comparison per byte
// and the same rows always give the same bytes. `rowSize` is the bytes of a row with its filter
// byte. The stream is written at the start of `buffer`, which grows to fit and is kept for the
// next picture.
std::span<const unsigned char> deflateRows(std::span<const unsigned char> rows, size_t rowSize,
                                           std::vector<unsigned char>& buffer);

}  // namespace lunadoze::sim
