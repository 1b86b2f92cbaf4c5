#pragma once

#include <cairo.h>

#include <cstdint>
#include <deque>
#include <vector>

#include "platform/uikit/CGGeometry.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIView.h"
#include "sim/pictures/TextDrawing.h"

namespace lunadoze::sim {

// Draws images into boxes, keeping the last few as drawn: scaling an image well (a 64-pixel icon
// into 48 pixels) takes a filter worked out per drawing, and the same icons are drawn at the
// same size in picture after picture. Every image is drawn into a surface of its own and that put
// down, so a kept one gives the pixels a new one would: it is put back for the same image, box,
// scale and tint only, at a whole number of pixels from where it was made.
class DrawnImages {
 public:
  // The calling thread's: what it keeps is the thread's own.
  static DrawnImages& ofThisThread();

  // Draws the image into the box as the content mode says; in `tint` when it is a template.
  void draw(cairo_t* cr, const platform::uikit::UIImage& image, platform::uikit::CGRect box,
            platform::uikit::UIViewContentMode mode, const Colour& tint);

  DrawnImages() = default;
  ~DrawnImages();
  DrawnImages(const DrawnImages&) = delete;
  DrawnImages& operator=(const DrawnImages&) = delete;

 private:
  // A drawing, as made in a surface whose origin is a whole pixel: everything it depends on, in
  // pixels of the picture.
  struct Drawing {
    // The image's, as they were.
    std::vector<uint8_t> pixels;
    double imageWidth = 0, imageHeight = 0;
    bool isTemplate = false;
    Colour tint;
    platform::uikit::UIViewContentMode mode = platform::uikit::UIViewContentModeScaleToFill;
    // The scale from points to pixels, and the box from the surface's origin.
    double scaleX = 0, scaleY = 0;
    platform::uikit::CGRect box;
    cairo_surface_t* surface = nullptr;

    bool sameAs(const Drawing& other, const std::vector<uint8_t>& otherPixels) const;
  };

  std::deque<Drawing> kept_;
};

}  // namespace lunadoze::sim
