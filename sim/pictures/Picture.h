#pragma once

#include <cairo.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "sim/pictures/RowSet.h"

namespace lunadoze::sim {

class PngEncoder;

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

  // For a picture drawn again and again: what is drawn from now on is drawn only in these rows,
  // over what the last drawing left there; the other rows stay as they are. The next file
  // written works out only these rows anew.
  void redrawRows(const RowSet& rows);

  // Writes a PNG file; the same drawing gives the same bytes. Throws std::runtime_error saying
  // why when the file cannot be written.
  void writePng(const std::filesystem::path& path) const;
  // The first half of that: the encoder takes the pixels in, and its bytes() are then the file's.
  // Throws std::runtime_error naming the path when the picture has no pixels.
  void takeInto(PngEncoder& encoder, const std::filesystem::path& path) const;

 private:
  double scale_;
  // Which drawing of the picture this is, when it is drawn again and again (0 when not), the
  // drawing it was drawn over, and the rows that drawing changed.
  uint64_t drawing_ = 0;
  uint64_t drawnOver_ = 0;
  std::vector<char> redrawn_;
  std::vector<unsigned char> pixels_;
  cairo_surface_t* surface_;
  cairo_t* context_;
};

}  // namespace lunadoze::sim
