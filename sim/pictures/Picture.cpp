#include "sim/pictures/Picture.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "sim/pictures/FileReplacement.h"
#include "sim/pictures/PngEncoder.h"

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
  const size_t needed = std::max<size_t>(size, 4);
  if (buffer.size() < needed) {
    // One too small is let go rather than grown, which would copy its old pixels over; the new
    // one comes cleared.
    buffer = std::vector<unsigned char>(needed);
  } else if (clear) {
    std::memset(buffer.data(), 0, size);
  }
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

void Picture::redrawRows(const RowSet& rows) {
  // Told apart from every other picture's drawings, and from its own before.
  static std::atomic<uint64_t> drawings{0};
  drawnOver_ = drawing_;
  drawing_ = ++drawings;
  redrawn_.assign(static_cast<size_t>(pixelHeight()), 0);
  for (const auto& [top, bottom] : rows.runs())
    std::fill(redrawn_.begin() + std::clamp(top, 0, pixelHeight()),
              redrawn_.begin() + std::clamp(bottom, 0, pixelHeight()), 1);
}

void Picture::takeInto(PngEncoder& encoder, const std::filesystem::path& path) const {
  // A PNG has at least one pixel; a screen of no size is a fault of whoever laid it out.
  if (pixelWidth() == 0 || pixelHeight() == 0)
    throw std::runtime_error("cannot write " + path.string() + ": the picture has no pixels");
  cairo_surface_flush(surface_);
  const PngEncoder::Drawing drawing{drawing_, drawnOver_, redrawn_};
  encoder.take(cairo_image_surface_get_data(surface_), cairo_image_surface_get_stride(surface_), pixelWidth(),
               pixelHeight(), drawing_ != 0 ? &drawing : nullptr);
}

void Picture::writePng(const std::filesystem::path& path) const {
  PngEncoder& encoder = PngEncoder::ofThisThread();
  takeInto(encoder, path);
  replaceFile(path, encoder.bytes());
}

}  // namespace lunadoze::sim
