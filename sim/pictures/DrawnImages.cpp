#include "sim/pictures/DrawnImages.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "sim/pictures/ViewPainter.h"

namespace lunadoze::sim {
namespace {

using platform::uikit::CGRect;
using platform::uikit::UIImage;
using platform::uikit::UIViewContentMode;

constexpr size_t kKept = 32;

// The image's pixels as a cairo surface: premultiplied, in the machine's byte order.
cairo_surface_t* surfaceOf(const UIImage& image) {
  const auto& pixels = image.pixels();
  const int width = static_cast<int>(image.size().width);
  const int height = static_cast<int>(image.size().height);
  if (width <= 0 || height <= 0 || pixels.size() < static_cast<size_t>(width) * height * 4) return nullptr;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride);
    for (int x = 0; x < width; ++x) {
      const uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
      const uint32_t a = p[3];
      auto pre = [a](uint32_t c) { return (c * a + 127) / 255; };
      row[x] = (a << 24) | (pre(p[0]) << 16) | (pre(p[1]) << 8) | pre(p[2]);
    }
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}

// Draws the image into the box in the context's coordinates.
void drawDirectly(cairo_t* cr, const UIImage& image, cairo_surface_t* surface, CGRect box,
                  UIViewContentMode mode, const Colour& tint) {
  const double width = image.size().width;
  const double height = image.size().height;
  double sx = box.size.width / width;
  double sy = box.size.height / height;
  using namespace platform::uikit;
  if (mode == UIViewContentModeScaleAspectFit) sx = sy = std::min(sx, sy);
  if (mode == UIViewContentModeScaleAspectFill) sx = sy = std::max(sx, sy);
  if (mode == UIViewContentModeCenter) sx = sy = 1;
  cairo_save(cr);
  cairo_rectangle(cr, box.origin.x, box.origin.y, box.size.width, box.size.height);
  cairo_clip(cr);
  cairo_translate(cr, box.origin.x + (box.size.width - width * sx) / 2,
                  box.origin.y + (box.size.height - height * sy) / 2);
  cairo_scale(cr, sx, sy);
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(surface);
  cairo_pattern_set_filter(pattern, CAIRO_FILTER_GOOD);
  if (image.renderingMode() == UIImageRenderingMode::AlwaysTemplate) {
    ViewPainter::setSource(cr, tint);
    cairo_mask(cr, pattern);
  } else {
    cairo_set_source(cr, pattern);
    cairo_paint(cr);
  }
  cairo_pattern_destroy(pattern);
  cairo_restore(cr);
}

bool sameColour(const Colour& a, const Colour& b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue && a.alpha == b.alpha;
}

}  // namespace

DrawnImages& DrawnImages::ofThisThread() {
  thread_local DrawnImages images;
  return images;
}

DrawnImages::~DrawnImages() {
  for (auto& drawing : kept_) cairo_surface_destroy(drawing.surface);
}

bool DrawnImages::Drawing::sameAs(const Drawing& other, const std::vector<uint8_t>& otherPixels) const {
  // The pixels last: the rest tells most drawings apart at once.
  return imageWidth == other.imageWidth && imageHeight == other.imageHeight &&
         isTemplate == other.isTemplate && (!isTemplate || sameColour(tint, other.tint)) &&
         mode == other.mode && scaleX == other.scaleX && scaleY == other.scaleY &&
         CGRectEqualToRect(box, other.box) && pixels == otherPixels;
}

void DrawnImages::draw(cairo_t* cr, const UIImage& image, CGRect box, UIViewContentMode mode,
                       const Colour& tint) {
  if (box.size.width <= 0 || box.size.height <= 0) return;
  cairo_matrix_t matrix;
  cairo_get_matrix(cr, &matrix);
  // Only a drawing scaled and moved, not turned or mirrored, is kept.
  if (matrix.xy != 0 || matrix.yx != 0 || matrix.xx <= 0 || matrix.yy <= 0) {
    if (cairo_surface_t* surface = surfaceOf(image)) {
      drawDirectly(cr, image, surface, box, mode, tint);
      cairo_surface_destroy(surface);
    }
    return;
  }
  // The box in pixels, from the whole pixel at or before its corner.
  double left = box.origin.x;
  double top = box.origin.y;
  cairo_user_to_device(cr, &left, &top);
  const double originX = std::floor(left);
  const double originY = std::floor(top);
  Drawing wanted;
  wanted.imageWidth = image.size().width;
  wanted.imageHeight = image.size().height;
  wanted.isTemplate = image.renderingMode() == platform::uikit::UIImageRenderingMode::AlwaysTemplate;
  wanted.tint = tint;
  wanted.mode = mode;
  wanted.scaleX = matrix.xx;
  wanted.scaleY = matrix.yy;
  wanted.box = {{left - originX, top - originY}, {box.size.width * matrix.xx, box.size.height * matrix.yy}};
  auto found = std::find_if(kept_.begin(), kept_.end(),
                            [&](const Drawing& kept) { return kept.sameAs(wanted, image.pixels()); });
  if (found == kept_.end()) {
    wanted.pixels = image.pixels();
    cairo_surface_t* source = surfaceOf(image);
    if (source == nullptr) return;
    const int width = static_cast<int>(std::ceil(CGRectGetMaxX(wanted.box)));
    const int height = static_cast<int>(std::ceil(CGRectGetMaxY(wanted.box)));
    wanted.surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* made = cairo_create(wanted.surface);
    cairo_matrix_t moved = matrix;
    moved.x0 -= originX;
    moved.y0 -= originY;
    cairo_set_matrix(made, &moved);
    drawDirectly(made, image, source, box, mode, tint);
    cairo_destroy(made);
    cairo_surface_destroy(source);
    if (kept_.size() >= kKept) {
      cairo_surface_destroy(kept_.back().surface);
      kept_.pop_back();
    }
    kept_.push_front(std::move(wanted));
    found = kept_.begin();
  }
  cairo_save(cr);
  cairo_identity_matrix(cr);
  cairo_set_source_surface(cr, found->surface, originX, originY);
  cairo_paint(cr);
  cairo_restore(cr);
}

}  // namespace lunadoze::sim
