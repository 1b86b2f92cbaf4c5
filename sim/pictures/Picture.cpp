#include "sim/pictures/Picture.h"

#include <zlib.h>

#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace lunadoze::sim {

Picture::Picture(double width, double height, double scale)
    : scale_(scale),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(std::ceil(width * scale)),
                                          static_cast<int>(std::ceil(height * scale)))),
      context_(cairo_create(surface_)) {
  cairo_scale(context_, scale, scale);
}

Picture::~Picture() {
  cairo_destroy(context_);
  cairo_surface_destroy(surface_);
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

bool isOpaque(const unsigned char* data, int stride, int width, int height) {
  for (int y = 0; y < height; ++y) {
    const unsigned char* row = data + static_cast<ptrdiff_t>(y) * stride;
    for (int x = 0; x < width; ++x)
      if ((wordAt(row, x) >> 24) != 0xFF) return false;
  }
  return true;
}

// One row as PNG keeps it, with the sub filter applied in the same pass: RGB when every pixel is
// opaque (a quarter fewer bytes to compress), else RGBA with the colour divided back out of the
// alpha. The filter turns a run of one colour into zeros, which run-length matching takes in one
// go. Returns the end of the row written.
unsigned char* filterRow(const unsigned char* row, int width, bool opaque, unsigned char* out) {
  *out++ = 1;  // the sub filter
  uint32_t red = 0;
  uint32_t green = 0;
  uint32_t blue = 0;
  uint32_t alpha = 0;
  for (int x = 0; x < width; ++x) {
    const uint32_t value = wordAt(row, x);
    uint32_t r = (value >> 16) & 0xFF;
    uint32_t g = (value >> 8) & 0xFF;
    uint32_t b = value & 0xFF;
    const uint32_t a = value >> 24;
    if (!opaque && a != 0xFF) {
      r = a == 0 ? 0 : (r * 255 + a / 2) / a;
      g = a == 0 ? 0 : (g * 255 + a / 2) / a;
      b = a == 0 ? 0 : (b * 255 + a / 2) / a;
    }
    out[0] = static_cast<unsigned char>(r - red);
    out[1] = static_cast<unsigned char>(g - green);
    out[2] = static_cast<unsigned char>(b - blue);
    red = r, green = g, blue = b;
    if (opaque) {
      out += 3;
      continue;
    }
    out[3] = static_cast<unsigned char>(a - alpha);
    alpha = a;
    out += 4;
  }
  return out;
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
  appendBigEndian(out, static_cast<uint32_t>(crc32(0, out.data() + start, static_cast<uInt>(size + 4))));
}

// The rows, filtered and compressed into one zlib stream; empty when zlib fails.
std::vector<unsigned char> compressedRows(const unsigned char* data, int stride, int width, int height,
                                          bool opaque) {
  z_stream stream{};
  // The fastest level, with run-length matching only: a screen of flat colours compresses well
  // at it, and the same rows always give the same bytes.
  if (deflateInit2(&stream, 1, Z_DEFLATED, 15, 8, Z_RLE) != Z_OK) return {};
  std::vector<unsigned char> row(1 + static_cast<size_t>(width) * (opaque ? 3 : 4));
  // Out through a small buffer: a screen compresses to a hundredth of its rows, so a buffer of
  // the worst case would be megabytes cleared and never used.
  std::vector<unsigned char> out;
  unsigned char buffer[1 << 14];
  int status = Z_OK;
  auto pump = [&](int flush) {
    do {
      stream.next_out = buffer;
      stream.avail_out = sizeof buffer;
      status = deflate(&stream, flush);
      out.insert(out.end(), buffer, buffer + (sizeof buffer - stream.avail_out));
    } while (status == Z_OK && stream.avail_out == 0);
    // Only says that a full buffer had nothing more to take.
    if (status == Z_BUF_ERROR && flush == Z_NO_FLUSH) status = Z_OK;
  };
  for (int y = 0; y < height && status == Z_OK; ++y) {
    const unsigned char* end =
        filterRow(data + static_cast<ptrdiff_t>(y) * stride, width, opaque, row.data());
    stream.next_in = row.data();
    stream.avail_in = static_cast<uInt>(end - row.data());
    pump(Z_NO_FLUSH);
  }
  if (status == Z_OK) pump(Z_FINISH);
  deflateEnd(&stream);
  if (status != Z_STREAM_END) return {};
  return out;
}

}  // namespace

void Picture::writePng(const std::filesystem::path& path) const {
  // A PNG has at least one pixel; a screen of no size is a fault of whoever laid it out.
  if (pixelWidth() == 0 || pixelHeight() == 0)
    throw std::runtime_error("cannot write " + path.string() + ": the picture has no pixels");
  // Opened first so that the reason of a failure is the system's own.
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr)
    throw std::runtime_error("cannot write " + path.string() + ": " + std::strerror(errno));
  cairo_surface_flush(surface_);
  const unsigned char* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  const int width = pixelWidth();
  const int height = pixelHeight();
  const bool opaque = isOpaque(data, stride, width, height);
  const auto compressed = compressedRows(data, stride, width, height, opaque);

  std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  png.reserve(compressed.size() + 64);
  std::vector<unsigned char> header;
  appendBigEndian(header, static_cast<uint32_t>(width));
  appendBigEndian(header, static_cast<uint32_t>(height));
  // Eight bits a channel, RGB or RGBA, then deflate, adaptive filtering and no interlacing.
  header.insert(header.end(), {8, static_cast<unsigned char>(opaque ? 2 : 6), 0, 0, 0});
  appendChunk(png, "IHDR", header.data(), header.size());
  appendChunk(png, "IDAT", compressed.data(), compressed.size());
  appendChunk(png, "IEND", nullptr, 0);

  const bool written = !compressed.empty() && std::fwrite(png.data(), 1, png.size(), file) == png.size();
  if (std::fclose(file) != 0 || !written) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    throw std::runtime_error("cannot write " + path.string());
  }
}

}  // namespace lunadoze::sim
