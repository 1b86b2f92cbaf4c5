#include "sim/pictures/Picture.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
#include <stdexcept>

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
  const unsigned char* row = cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_);
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

void Picture::writePng(const std::filesystem::path& path) const {
  // Opened first so that the reason of a failure is the system's own.
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) throw std::runtime_error("cannot write " + path.string() + ": " + std::strerror(errno));
  cairo_surface_flush(surface_);
  auto write = [](void* closure, const unsigned char* data, unsigned int length) {
    auto& out = *static_cast<std::ofstream*>(closure);
    out.write(reinterpret_cast<const char*>(data), length);
    return out ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
  };
  cairo_status_t status = cairo_surface_write_to_png_stream(surface_, write, &file);
  file.close();
  if (status != CAIRO_STATUS_SUCCESS || !file) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    throw std::runtime_error("cannot write " + path.string() + ": " + cairo_status_to_string(status));
  }
}

}  // namespace lunadoze::sim
