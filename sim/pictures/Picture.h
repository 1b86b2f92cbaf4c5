#pragma once

#include <cairo.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace lunadoze::sim {

// A picture being drawn: an image surface of a size in points at a scale of pixels per point,
// with a drawing context whose units are points. Owns both, and the pixels.
class Picture {
 public:
  static constexpr double kScale = 2;

  // How a new picture's pixels start: transparent, or left as they come for a caller that covers
  // every pixel with opaque paint before anything reads them (clearing megabytes costs).
  enum class Start { Transparent, Covered };

  Picture(double width, double height, double scale = kScale, Start start = Start::Transparent);
  ~Picture();
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  cairo_t* context() const { return context_; }
  int pixelWidth() const;
  int pixelHeight() const;

  struct Pixel {
    uint8_t red, green, blue, alpha;
  };
  // The pixel at the pixel coordinates, its colour not premultiplied; transparent outside.
  Pixel pixel(int x, int y) const;
  // The pixel under the point (in points).
  Pixel pixelAt(double x, double y) const;

  // Writes a PNG file; the same drawing gives the same bytes. Throws std::runtime_error saying
  // why when the file cannot be written.
  void writePng(const std::filesystem::path& path) const;

 private:
  double scale_;
  std::vector<unsigned char> pixels_;
  cairo_surface_t* surface_;
  cairo_t* context_;
};

}  // namespace lunadoze::sim
