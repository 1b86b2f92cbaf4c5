#include "sim/pictures/PngEncoder.h"

#include <libdeflate.h>

#include <cstddef>
#include <cstring>
#include <utility>

namespace lunadoze::sim {
namespace {

// Cairo keeps a pixel as one native-endian word: alpha, then red, green and blue premultiplied.
uint32_t wordAt(const unsigned char* row, int x) {
  uint32_t value = 0;
  std::memcpy(&value, row + ptrdiff_t{4} * x, sizeof value);
  return value;
}

bool isOpaque(const unsigned char* row, int width) {
  // Without a branch a pixel, two at a time.
  uint64_t all = ~uint64_t{0};
  int x = 0;
  for (; x + 2 <= width; x += 2) {
    uint64_t pair = 0;
    std::memcpy(&pair, row + static_cast<ptrdiff_t>(4) * x, sizeof pair);
    all &= pair;
  }
  uint32_t alpha = static_cast<uint32_t>(all >> 56) & static_cast<uint32_t>(all >> 24);
  if (x < width) alpha &= wordAt(row, x) >> 24;
  return (alpha & 0xFF) == 0xFF;
}

// One row as PNG keeps it, with the sub filter applied in the same pass: RGB when every pixel is
// opaque (a quarter fewer bytes to compress), else RGBA with the colour divided back out of the
// alpha. The filter turns a run of one colour into zeros, which a match one byte back takes in
// one go.
void filterRow(const unsigned char* row, int width, bool opaque, unsigned char* out) {
  *out++ = 1;  // the sub filter
  if (opaque) {
    uint32_t previous = 0;
    for (int x = 0; x < width;) {
      const uint32_t value = wordAt(row, x);
      if (value == previous && x > 0) {
        // A run of the colour before, which is most of a screen: zeros to its end at once.
        int end = x + 1;
        while (end < width && wordAt(row, end) == previous) ++end;
        std::memset(out, 0, static_cast<size_t>(end - x) * 3);
        out += static_cast<ptrdiff_t>(end - x) * 3;
        x = end;
        continue;
      }
      out[0] = static_cast<unsigned char>((value >> 16) - (previous >> 16));
      out[1] = static_cast<unsigned char>((value >> 8) - (previous >> 8));
      out[2] = static_cast<unsigned char>(value - previous);
      previous = value;
      out += 3;
      ++x;
    }
    return;
  }
  uint32_t red = 0;
  uint32_t green = 0;
  uint32_t blue = 0;
  uint32_t alpha = 0;
  for (int x = 0; x < width; ++x, out += 4) {
    const uint32_t value = wordAt(row, x);
    uint32_t r = (value >> 16) & 0xFF;
    uint32_t g = (value >> 8) & 0xFF;
    uint32_t b = value & 0xFF;
    const uint32_t a = value >> 24;
    if (a != 0xFF) {
      r = a == 0 ? 0 : (r * 255 + a / 2) / a;
      g = a == 0 ? 0 : (g * 255 + a / 2) / a;
      b = a == 0 ? 0 : (b * 255 + a / 2) / a;
    }
    out[0] = static_cast<unsigned char>(r - red);
    out[1] = static_cast<unsigned char>(g - green);
    out[2] = static_cast<unsigned char>(b - blue);
    out[3] = static_cast<unsigned char>(a - alpha);
    red = r, green = g, blue = b, alpha = a;
  }
}

void appendBigEndian(std::vector<unsigned char>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<unsigned char>(value >> shift));
}

void appendChunk(std::vector<unsigned char>& out, const char (&type)[5], const unsigned char* data,
                 size_t size) {
  appendBigEndian(out, static_cast<uint32_t>(size));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  if (size != 0) out.insert(out.end(), data, data + size);
  appendBigEndian(out, static_cast<uint32_t>(libdeflate_crc32(0, out.data() + start, size + 4)));
}

}  // namespace

PngEncoder& PngEncoder::ofThisThread() {
  thread_local PngEncoder encoder;
  return encoder;
}

PngEncoder::Memory& PngEncoder::memoryOfSize(int width, int height) {
  Memory* slot = memories_.data();
  for (auto& memory : memories_) {
    if (memory.width == width && memory.height == height) {
      slot = &memory;
      break;
    }
    if (memory.used < slot->used) slot = &memory;
  }
  if (slot->width != width || slot->height != height) {
    *slot = Memory{};
    slot->width = width;
    slot->height = height;
    slot->pixels.resize(static_cast<size_t>(width) * 4 * static_cast<size_t>(height));
    slot->sameAsAbove.resize(static_cast<size_t>(height));
    slot->rowOpaque.resize(static_cast<size_t>(height));
    slot->oneColour.resize(static_cast<size_t>(height));
    slot->colours.resize(static_cast<size_t>(height));
  }
  slot->used = ++uses_;
  return *slot;
}

void PngEncoder::survey(const unsigned char* data, int stride, Memory& memory,
                        std::span<const char> redrawn) {
  const int width = memory.width;
  const int height = memory.height;
  const size_t rowBytes = static_cast<size_t>(width) * 4;
  survey_.changed.assign(static_cast<size_t>(height), 1);
  survey_.anyChanged = !memory.encoded;
  survey_.opaque = true;
  for (int y = 0; y < height; ++y) {
    // A row the drawing left alone is as the memory has it; only its likeness to the row above
    // is asked again when that one changed.
    const bool leftAlone = !redrawn.empty() && redrawn[y] == 0;
    if (leftAlone && (y == 0 || !survey_.changed[y - 1])) {
      survey_.changed[y] = 0;
      survey_.opaque = survey_.opaque && memory.rowOpaque[y];
      continue;
    }
    const unsigned char* row = data + static_cast<ptrdiff_t>(y) * stride;
    unsigned char* kept = memory.pixels.data() + static_cast<ptrdiff_t>(y) * static_cast<ptrdiff_t>(rowBytes);
    // A row of one colour (each pixel the same as the next) is told from the kept one by the
    // colours alone, without reading the kept pixels: most rows of a screen are such rows.
    uint32_t colour = memory.colours[y];
    bool plain = memory.oneColour[y];
    bool changed = false;
    if (!leftAlone) {
      colour = wordAt(row, 0);
      plain = std::memcmp(row, row + 4, rowBytes - 4) == 0;
      changed = !memory.encoded || plain != static_cast<bool>(memory.oneColour[y]);
      if (!changed) changed = plain ? colour != memory.colours[y] : std::memcmp(row, kept, rowBytes) != 0;
    }
    survey_.changed[y] = static_cast<char>(changed);
    if (changed) {
      std::memcpy(kept, row, rowBytes);
      memory.oneColour[y] = static_cast<char>(plain);
      memory.colours[y] = colour;
      survey_.anyChanged = true;
    }
    if (changed || (y > 0 && survey_.changed[y - 1])) {
      bool same = false;
      if (y > 0 && (plain || memory.oneColour[y - 1]))
        same = plain && memory.oneColour[y - 1] && colour == memory.colours[y - 1];
      else if (y > 0)
        same = std::memcmp(row, row - stride, rowBytes) == 0;
      memory.sameAsAbove[y] = static_cast<char>(same);
    }
    // A row the same as the one above is as opaque as it.
    if (changed) {
      memory.rowOpaque[y] = static_cast<char>(memory.sameAsAbove[y] ? memory.rowOpaque[y - 1]
                                              : plain               ? colour >> 24 == 0xFF
                                                                    : isOpaque(row, width));
    }
    survey_.opaque = survey_.opaque && memory.rowOpaque[y];
  }
}

// A row that is as the last picture had it, under a row that is too, is coded as it was then; a
// band of such rows is the last picture's block again.
std::span<const unsigned char> PngEncoder::compressedRows(Memory& memory) {
  const int width = memory.width;
  const int height = memory.height;
  // The rows as the survey took them in.
  const unsigned char* data = memory.pixels.data();
  const ptrdiff_t stride = ptrdiff_t{width} * 4;
  const size_t rowSize = 1 + static_cast<size_t>(width) * (survey_.opaque ? 3 : 4);
  for (auto& row : filteredRows_) row.resize(rowSize);
  const bool known = known_;
  starts_.assign(1, 0);
  checksums_.resize(static_cast<size_t>(height));
  blocks_.clear();
  RowDeflate deflate(rowSize, compressed_);
  int next = 0;
  // Whether the deflate has the row above's bytes, which a row coded afresh is matched against.
  bool aboveHeld = false;
  for (int y = 0; y < height; ++y) {
    const unsigned char* row = data + y * stride;
    if (known && !survey_.changed[y] && (y == 0 || !survey_.changed[y - 1])) {
      deflate.reuse({memory.tokens.data() + memory.starts[y], memory.starts[y + 1] - memory.starts[y]},
                    memory.checksums[y]);
      aboveHeld = false;
    } else {
      // Each row filtered into the other buffer than the last one's, which the deflate still reads.
      if (y > 0 && !aboveHeld) {
        unsigned char* above = filteredRows_[next].data();
        next ^= 1;
        filterRow(row - stride, width, survey_.opaque, above);
        deflate.above(above);
      }
      if (memory.sameAsAbove[y]) {
        deflate.repeat();
      } else {
        unsigned char* filtered = filteredRows_[next].data();
        next ^= 1;
        filterRow(row, width, survey_.opaque, filtered);
        deflate.add(filtered);
      }
      aboveHeld = true;
    }
    checksums_[y] = deflate.lastChecksum();
    starts_.push_back(deflate.tokens().size());
    if ((y + 1) % kBandRows == 0 || y + 1 == height) {
      const size_t band = blocks_.size();
      blocks_.push_back(known && deflate.blockReused() && band < memory.blocks.size()
                            ? deflate.endBlock(memory.stream, memory.blocks[band])
                            : deflate.endBlock());
    }
  }
  const auto stream = deflate.finish();
  // The codes and the stream stay with the pixels for the next picture of the size.
  std::swap(memory.tokens, compressed_.tokens);
  std::swap(memory.starts, starts_);
  std::swap(memory.checksums, checksums_);
  std::swap(memory.blocks, blocks_);
  std::swap(memory.stream, compressed_.out);
  memory.opaque = survey_.opaque;
  return stream;
}

std::span<const unsigned char> PngEncoder::encode(const unsigned char* data, int stride, int width,
                                                  int height, const Drawing* drawing) {
  take(data, stride, width, height, drawing);
  return bytes();
}

void PngEncoder::take(const unsigned char* data, int stride, int width, int height, const Drawing* drawing) {
  Memory& memory = memoryOfSize(width, height);
  taken_ = &memory;
  std::span<const char> redrawn;
  if (drawing != nullptr && memory.encoded && memory.drawing != 0) {
    // The same drawing again is the same file; one drawn over the last one encoded changed only
    // its redrawn rows.
    if (memory.drawing == drawing->drawing) {
      compress_ = false;
      return;
    }
    if (memory.drawing == drawing->drawnOver) redrawn = drawing->redrawn;
  }
  survey(data, stride, memory, redrawn);
  memory.drawing = drawing != nullptr ? drawing->drawing : 0;
  // The same pixels as the last picture of the size: the same file.
  compress_ = survey_.anyChanged;
  if (compress_) {
    // The codes of the rows that stayed can be taken again only from a stream of the same kind.
    known_ = memory.encoded && memory.opaque == survey_.opaque;
    // Until its file is made, the memory's pixels are ahead of its codes.
    memory.encoded = false;
  }
}

std::span<const unsigned char> PngEncoder::bytes() {
  Memory& memory = *taken_;
  if (!compress_) return memory.png;
  compress_ = false;
  const bool opaque = survey_.opaque;
  const auto compressed = compressedRows(memory);

  std::vector<unsigned char>& png = memory.png;
  png.assign({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'});
  png.reserve(compressed.size() + 64);
  std::vector<unsigned char> header;
  appendBigEndian(header, static_cast<uint32_t>(memory.width));
  appendBigEndian(header, static_cast<uint32_t>(memory.height));
  // Eight bits a channel, RGB or RGBA, then deflate, adaptive filtering and no interlacing.
  header.insert(header.end(), {8, static_cast<unsigned char>(opaque ? 2 : 6), 0, 0, 0});
  appendChunk(png, "IHDR", header.data(), header.size());
  appendChunk(png, "IDAT", compressed.data(), compressed.size());
  appendChunk(png, "IEND", nullptr, 0);
  memory.encoded = true;
  return png;
}

}  // namespace lunadoze::sim
