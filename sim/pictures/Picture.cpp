#include "sim/pictures/Picture.h"

#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "sim/pictures/FileReplacement.h"
#include "sim/pictures/RowDeflate.h"

namespace lunadoze::sim {

namespace {

// Pixel buffers of pictures gone, for the next ones: a screenshot is megabytes, and the demo takes
// one at every step; fresh pages from the system each time cost more than clearing old ones.
thread_local std::vector<std::vector<unsigned char>> spareBuffers;
constexpr size_t kSpareBuffers = 2;

std::vector<unsigned char> pixelBuffer(size_t size, bool clear) {
  std::vector<unsigned char> buffer;
  if (!spareBuffers.empty()) {
    buffer = std::move(spareBuffers.back());
    spareBuffers.pop_back();
  }
  // Cairo wants somewhere to point even for no pixels.
  if (buffer.size() < std::max<size_t>(size, 4)) buffer.resize(std::max<size_t>(size, 4));
  if (clear) std::memset(buffer.data(), 0, size);
  return buffer;
}

}  // namespace

Picture::Picture(double width, double height, double scale, Start start) : scale_(scale) {
  const int pixelWidth = static_cast<int>(std::ceil(width * scale));
  const int pixelHeight = static_cast<int>(std::ceil(height * scale));
  const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, pixelWidth);
  // Cairo's largest side; its own surface says so rather than taking gigabytes first.
  constexpr int kLargest = 32767;
  if (stride < 0 || pixelHeight < 0 || pixelHeight > kLargest) {
    // A size cairo cannot make: its surface in error, which has no pixels and writes none.
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixelWidth, pixelHeight);
  } else {
    pixels_ = pixelBuffer(static_cast<size_t>(stride) * static_cast<size_t>(pixelHeight),
                          start == Start::Transparent);
    surface_ = cairo_image_surface_create_for_data(pixels_.data(), CAIRO_FORMAT_ARGB32, pixelWidth,
                                                   pixelHeight, stride);
  }
  context_ = cairo_create(surface_);
  cairo_scale(context_, scale, scale);
}

Picture::~Picture() {
  cairo_destroy(context_);
  // The surface lets go of the pixels here, unless someone still holds it.
  cairo_surface_finish(surface_);
  cairo_surface_destroy(surface_);
  if (!pixels_.empty() && spareBuffers.size() < kSpareBuffers) spareBuffers.push_back(std::move(pixels_));
}

int Picture::pixelWidth() const {
  return cairo_image_surface_get_width(surface_);
}

int Picture::pixelHeight() const {
  return cairo_image_surface_get_height(surface_);
}

Picture::Pixel Picture::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= pixelWidth() || y >= pixelHeight()) return {0, 0, 0, 0};
  cairo_surface_flush(surface_);
  const unsigned char* row = cairo_image_surface_get_data(surface_) +
                             static_cast<ptrdiff_t>(y) * cairo_image_surface_get_stride(surface_);
  uint32_t value = 0;
  std::memcpy(&value, row + ptrdiff_t{4} * x, sizeof value);
  const uint8_t alpha = value >> 24;
  auto channel = [alpha](uint32_t premultiplied) {
    return static_cast<uint8_t>(alpha == 0 ? 0 : std::lround(premultiplied * 255.0 / alpha));
  };
  return {channel((value >> 16) & 0xFF), channel((value >> 8) & 0xFF), channel(value & 0xFF), alpha};
}

Picture::Pixel Picture::pixelAt(double x, double y) const {
  return pixel(static_cast<int>(std::floor(x * scale_)), static_cast<int>(std::floor(y * scale_)));
}

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

// The last picture written of a size, as the next one of that size needs it: from one step of a
// script to the next most rows of a screen stay as they were, and so do their codes.
struct Written {
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

Written& writtenOfSize(int width, int height) {
  // A few sizes: the screens a script takes turns with.
  thread_local std::array<Written, 3> kept;
  thread_local uint64_t uses = 0;
  Written* slot = kept.data();
  for (auto& written : kept) {
    if (written.width == width && written.height == height) {
      slot = &written;
      break;
    }
    if (written.used < slot->used) slot = &written;
  }
  if (slot->width != width || slot->height != height) {
    *slot = Written{};
    slot->width = width;
    slot->height = height;
    slot->pixels.resize(static_cast<size_t>(width) * 4 * static_cast<size_t>(height));
    slot->sameAsAbove.resize(static_cast<size_t>(height));
    slot->rowOpaque.resize(static_cast<size_t>(height));
    slot->oneColour.resize(static_cast<size_t>(height));
    slot->colours.resize(static_cast<size_t>(height));
  }
  slot->used = ++uses;
  return *slot;
}

// Which rows differ from the last picture's of the size (all when there was none), kept in its
// place, with which rows are the row above again and whether every pixel is opaque.
struct RowSurvey {
  std::vector<char> changed;
  bool anyChanged = false;
  bool opaque = true;
};

const RowSurvey& survey(const unsigned char* data, int stride, int width, int height, Written& last) {
  thread_local RowSurvey survey;
  const size_t rowBytes = static_cast<size_t>(width) * 4;
  survey.changed.assign(static_cast<size_t>(height), 1);
  survey.anyChanged = !last.encoded;
  survey.opaque = true;
  for (int y = 0; y < height; ++y) {
    const unsigned char* row = data + static_cast<ptrdiff_t>(y) * stride;
    unsigned char* kept = last.pixels.data() + static_cast<ptrdiff_t>(y) * static_cast<ptrdiff_t>(rowBytes);
    // A row of one colour (each pixel the same as the next) is told from the kept one by the
    // colours alone, without reading the kept pixels: most rows of a screen are such rows.
    const uint32_t colour = wordAt(row, 0);
    const bool plain = std::memcmp(row, row + 4, rowBytes - 4) == 0;
    bool changed = !last.encoded || plain != static_cast<bool>(last.oneColour[y]);
    if (!changed) changed = plain ? colour != last.colours[y] : std::memcmp(row, kept, rowBytes) != 0;
    survey.changed[y] = static_cast<char>(changed);
    if (changed) {
      std::memcpy(kept, row, rowBytes);
      last.oneColour[y] = static_cast<char>(plain);
      last.colours[y] = colour;
      survey.anyChanged = true;
    }
    if (changed || (y > 0 && survey.changed[y - 1])) {
      bool same = false;
      if (y > 0 && (plain || last.oneColour[y - 1]))
        same = plain && last.oneColour[y - 1] && colour == last.colours[y - 1];
      else if (y > 0)
        same = std::memcmp(row, row - stride, rowBytes) == 0;
      last.sameAsAbove[y] = static_cast<char>(same);
    }
    // A row the same as the one above is as opaque as it.
    if (changed) {
      last.rowOpaque[y] = static_cast<char>(last.sameAsAbove[y] ? last.rowOpaque[y - 1]
                                            : plain             ? colour >> 24 == 0xFF
                                                                : isOpaque(row, width));
    }
    survey.opaque = survey.opaque && last.rowOpaque[y];
  }
  return survey;
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

// The rows, filtered and compressed into one zlib stream, in buffers kept for the next picture.
// A row that is as the last picture had it, under a row that is too, is coded as it was then.
std::span<const unsigned char> compressedRows(const unsigned char* data, int stride, int width, int height,
                                              const RowSurvey& rows, Written& last) {
  thread_local std::vector<unsigned char> filteredRows[2];
  thread_local RowDeflate::Buffers compressed;
  thread_local std::vector<size_t> starts;
  thread_local std::vector<uint32_t> checksums;
  const size_t rowSize = 1 + static_cast<size_t>(width) * (rows.opaque ? 3 : 4);
  for (auto& row : filteredRows) row.resize(rowSize);
  const bool known = last.encoded && last.opaque == rows.opaque;
  last.encoded = false;
  starts.assign(1, 0);
  checksums.resize(static_cast<size_t>(height));
  RowDeflate deflate(rowSize, compressed);
  int next = 0;
  // Whether the deflate has the row above's bytes, which a row coded afresh is matched against.
  bool aboveHeld = false;
  for (int y = 0; y < height; ++y) {
    const unsigned char* row = data + static_cast<ptrdiff_t>(y) * stride;
    if (known && !rows.changed[y] && (y == 0 || !rows.changed[y - 1])) {
      deflate.reuse({last.tokens.data() + last.starts[y], last.starts[y + 1] - last.starts[y]},
                    last.checksums[y]);
      aboveHeld = false;
    } else {
      // Each row filtered into the other buffer than the last one's, which the deflate still reads.
      if (y > 0 && !aboveHeld) {
        unsigned char* above = filteredRows[next].data();
        next ^= 1;
        filterRow(row - stride, width, rows.opaque, above);
        deflate.above(above);
      }
      if (last.sameAsAbove[y]) {
        deflate.repeat();
      } else {
        unsigned char* filtered = filteredRows[next].data();
        next ^= 1;
        filterRow(row, width, rows.opaque, filtered);
        deflate.add(filtered);
      }
      aboveHeld = true;
    }
    checksums[y] = deflate.lastChecksum();
    starts.push_back(deflate.tokens().size());
  }
  const auto stream = deflate.finish();
  // The codes stay with the pixels for the next picture of the size.
  std::swap(last.tokens, compressed.tokens);
  std::swap(last.starts, starts);
  std::swap(last.checksums, checksums);
  last.opaque = rows.opaque;
  return stream;
}

}  // namespace

void Picture::writePng(const std::filesystem::path& path) const {
  // A PNG has at least one pixel; a screen of no size is a fault of whoever laid it out.
  if (pixelWidth() == 0 || pixelHeight() == 0)
    throw std::runtime_error("cannot write " + path.string() + ": the picture has no pixels");
  cairo_surface_flush(surface_);
  const unsigned char* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  const int width = pixelWidth();
  const int height = pixelHeight();
  Written& last = writtenOfSize(width, height);
  const RowSurvey& rows = survey(data, stride, width, height, last);
  // The same pixels as the last picture of the size: the same file.
  if (!rows.anyChanged) {
    replaceFile(path, last.png);
    return;
  }
  const bool opaque = rows.opaque;
  const auto compressed = compressedRows(data, stride, width, height, rows, last);

  std::vector<unsigned char>& png = last.png;
  png.assign({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'});
  png.reserve(compressed.size() + 64);
  std::vector<unsigned char> header;
  appendBigEndian(header, static_cast<uint32_t>(width));
  appendBigEndian(header, static_cast<uint32_t>(height));
  // Eight bits a channel, RGB or RGBA, then deflate, adaptive filtering and no interlacing.
  header.insert(header.end(), {8, static_cast<unsigned char>(opaque ? 2 : 6), 0, 0, 0});
  appendChunk(png, "IHDR", header.data(), header.size());
  appendChunk(png, "IDAT", compressed.data(), compressed.size());
  appendChunk(png, "IEND", nullptr, 0);
  last.encoded = true;
  replaceFile(path, png);
}

}  // namespace lunadoze::sim
