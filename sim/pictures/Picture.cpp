#include "sim/pictures/Picture.h"

#include <png.h>
#include <zlib.h>

#include <cerrno>
#include <cmath>
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
  const unsigned char* row =
      cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_);
  uint32_t value;
  std::memcpy(&value, row + 4 * x, sizeof value);
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

struct PngWriter {
  png_structp png = nullptr;
  png_infop info = nullptr;
  ~PngWriter() { png_destroy_write_struct(&png, &info); }
};

// libpng reports its errors by a long jump back here; nothing with a destructor lives in between.
bool encode(PngWriter& writer, FILE* file, const std::vector<png_byte>& rows, int width, int height) {
  if (setjmp(png_jmpbuf(writer.png)) != 0) return false;
  png_init_io(writer.png, file);
  // Pictures of flat colours compress well at a fast level; the bytes depend on nothing else.
  png_set_compression_level(writer.png, 1);
  png_set_compression_strategy(writer.png, Z_RLE);
  png_set_filter(writer.png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
  png_set_IHDR(writer.png, writer.info, width, height, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(writer.png, writer.info);
  for (int y = 0; y < height; ++y) png_write_row(writer.png, &rows[static_cast<size_t>(y) * width * 4]);
  png_write_end(writer.png, nullptr);
  return true;
}

}  // namespace

void Picture::writePng(const std::filesystem::path& path) const {
  // Opened first so that the reason of a failure is the system's own.
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr)
    throw std::runtime_error("cannot write " + path.string() + ": " + std::strerror(errno));
  cairo_surface_flush(surface_);
  const int width = pixelWidth();
  const int height = pixelHeight();
  // Straight colour, row by row, as PNG keeps it.
  std::vector<png_byte> rows(static_cast<size_t>(width) * height * 4);
  const unsigned char* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint32_t value;
      std::memcpy(&value, data + y * stride + 4 * x, sizeof value);
      const uint32_t alpha = value >> 24;
      png_byte* out = &rows[(static_cast<size_t>(y) * width + x) * 4];
      // Most of a screen is opaque, where premultiplied and straight colour are one.
      if (alpha == 255) {
        out[0] = static_cast<png_byte>(value >> 16);
        out[1] = static_cast<png_byte>(value >> 8);
        out[2] = static_cast<png_byte>(value);
        out[3] = 255;
        continue;
      }
      auto straight = [alpha](uint32_t premultiplied) {
        return static_cast<png_byte>(alpha == 0 ? 0 : (premultiplied * 255 + alpha / 2) / alpha);
      };
      out[0] = straight((value >> 16) & 0xFF);
      out[1] = straight((value >> 8) & 0xFF);
      out[2] = straight(value & 0xFF);
      out[3] = static_cast<png_byte>(alpha);
    }
  }
  bool written = false;
  {
    PngWriter writer;
    writer.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    writer.info = writer.png ? png_create_info_struct(writer.png) : nullptr;
    written = writer.info != nullptr && encode(writer, file, rows, width, height);
  }
  written = std::fclose(file) == 0 && written;
  if (!written) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    throw std::runtime_error("cannot write " + path.string());
  }
}

}  // namespace lunadoze::sim
