#include "sim/pictures/ViewPainter.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/runtime/Class.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UILabel.h"

namespace lunadoze::sim {

using platform::uikit::CGPoint;
using platform::uikit::CGRect;
using platform::uikit::UIView;

const ViewPainter::Kinds& ViewPainter::kinds() {
  static const Kinds kinds = [] {
    Kinds all;
    addUIKitKinds(all);
    addHostKinds(all);
    return all;
  }();
  return kinds;
}

const ViewPainter::Kind* ViewPainter::kindOf(const UIView& view) {
  for (const auto* cls = view.isa(); cls != nullptr; cls = cls->superclass()) {
    if (auto found = kinds().find(cls->name()); found != kinds().end()) return &found->second;
  }
  return nullptr;
}

namespace {

CGRect unionOf(CGRect a, CGRect b) {
  const double left = std::min(CGRectGetMinX(a), CGRectGetMinX(b));
  const double top = std::min(CGRectGetMinY(a), CGRectGetMinY(b));
  return {{left, top},
          {std::max(CGRectGetMaxX(a), CGRectGetMaxX(b)) - left,
           std::max(CGRectGetMaxY(a), CGRectGetMaxY(b)) - top}};
}

// Clips to the whole pixels that the area touches, so that the clip cuts no edge short.
void clipToPixelsAround(cairo_t* cr, CGRect area) {
  double left = std::numeric_limits<double>::infinity();
  double top = left;
  double right = -left;
  double bottom = -left;
  for (const CGPoint corner :
       {area.origin, CGPoint{CGRectGetMaxX(area), area.origin.y}, CGPoint{area.origin.x, CGRectGetMaxY(area)},
        CGPoint{CGRectGetMaxX(area), CGRectGetMaxY(area)}}) {
    double x = corner.x;
    double y = corner.y;
    cairo_user_to_device(cr, &x, &y);
    left = std::min(left, x);
    top = std::min(top, y);
    right = std::max(right, x);
    bottom = std::max(bottom, y);
  }
  cairo_matrix_t matrix;
  cairo_get_matrix(cr, &matrix);
  cairo_identity_matrix(cr);
  cairo_rectangle(cr, std::floor(left), std::floor(top), std::ceil(right) - std::floor(left),
                  std::ceil(bottom) - std::floor(top));
  cairo_clip(cr);
  cairo_set_matrix(cr, &matrix);
}

}  // namespace

void ViewPainter::paint(const UIView& view, CGPoint origin, double alpha, platform::uikit::CGSize size) {
  const UIView* previous = sized_;
  const auto previousSize = size_;
  sized_ = &view;
  size_ = size;
  paint(view, origin, alpha);
  sized_ = previous;
  size_ = previousSize;
}

CGRect ViewPainter::bounds(const UIView& view) const {
  if (&view == sized_) return {view.bounds().origin, size_};
  return view.bounds();
}

void ViewPainter::paint(const UIView& view, CGPoint origin, double alpha) {
  alpha *= view.alpha();
  // UIKit draws nothing of a view this transparent, nor takes touches there.
  if (view.isHidden() || alpha < 0.01) return;
  const CGRect bounds = this->bounds(view);
  cairo_t* cr = context_;
  cairo_save(cr);
  cairo_translate(cr, origin.x, origin.y);
  if (auto t = view.transform(); !(t == platform::uikit::CGAffineTransformIdentity)) {
    // A view's transform turns it about its centre.
    const double cx = bounds.size.width / 2;
    const double cy = bounds.size.height / 2;
    cairo_matrix_t matrix;
    cairo_matrix_init(&matrix, t.a, t.b, t.c, t.d, t.tx, t.ty);
    cairo_translate(cr, cx, cy);
    cairo_transform(cr, &matrix);
    cairo_translate(cr, -cx, -cy);
  }
  cairo_translate(cr, -bounds.origin.x, -bounds.origin.y);
  // The whole subtree at the view's alpha, as one layer, so overlapping subviews do not show
  // through one another.
  const bool layered = alpha < 1;
  if (layered) {
    // The layer is as large as the clip: only where the subtree draws, not the whole picture.
    if (const auto area = extent(view)) clipToPixelsAround(cr, *area);
    cairo_push_group(cr);
  }
  if (view.clipsToBounds()) {
    cairo_rectangle(cr, bounds.origin.x, bounds.origin.y, bounds.size.width, bounds.size.height);
    cairo_clip(cr);
  }
  if (Colour background = colour(view.backgroundColor()); background.alpha > 0) {
    setSource(cr, background);
    cairo_rectangle(cr, bounds.origin.x, bounds.origin.y, bounds.size.width, bounds.size.height);
    cairo_fill(cr);
  }
  const Kind* kind = kindOf(view);
  // A view of no size has no content of its own to show; its subviews may still lie outside it.
  if (kind != nullptr && bounds.size.width > 0 && bounds.size.height > 0) kind->draw(*this, view);
  if (kind == nullptr || !kind->drawsSubviews) paintSubviews(view);
  if (layered) {
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, alpha);
  }
  cairo_restore(cr);
}

std::optional<CGRect> ViewPainter::extent(const UIView& view) const {
  // As in UIKit, a view's own drawing stays inside its bounds; its subviews may lie outside.
  CGRect area = bounds(view);
  if (view.clipsToBounds()) return area;
  const Kind* kind = kindOf(view);
  // Where such a routine puts the subviews is its own affair.
  if (kind != nullptr && kind->drawsSubviews) return std::nullopt;
  for (const auto& subview : view.subviews()) {
    if (subview->isHidden()) continue;
    if (!(subview->transform() == platform::uikit::CGAffineTransformIdentity)) return std::nullopt;
    const auto inside = extent(*subview);
    if (!inside) return std::nullopt;
    const CGRect own = bounds(*subview);
    const CGPoint origin = subview->frame().origin;
    area = unionOf(area, CGRectOffset(*inside, origin.x - own.origin.x, origin.y - own.origin.y));
  }
  return area;
}

void ViewPainter::paintSubviews(const UIView& view) {
  for (const auto& subview : view.subviews()) paint(*subview, subview->frame().origin);
}

namespace {

// The image's pixels as a cairo surface: premultiplied, in the machine's byte order.
cairo_surface_t* surfaceOf(const platform::uikit::UIImage& image) {
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

}  // namespace

void ViewPainter::drawImage(const platform::uikit::UIImage& image, CGRect box,
                            platform::uikit::UIViewContentMode mode, const Colour& tint) {
  cairo_surface_t* surface = surfaceOf(image);
  if (surface == nullptr || box.size.width <= 0 || box.size.height <= 0) {
    if (surface != nullptr) cairo_surface_destroy(surface);
    return;
  }
  const double width = image.size().width;
  const double height = image.size().height;
  double sx = box.size.width / width;
  double sy = box.size.height / height;
  using namespace platform::uikit;
  if (mode == UIViewContentModeScaleAspectFit) sx = sy = std::min(sx, sy);
  if (mode == UIViewContentModeScaleAspectFill) sx = sy = std::max(sx, sy);
  if (mode == UIViewContentModeCenter) sx = sy = 1;
  cairo_t* cr = context_;
  cairo_save(cr);
  cairo_rectangle(cr, box.origin.x, box.origin.y, box.size.width, box.size.height);
  cairo_clip(cr);
  cairo_translate(cr, box.origin.x + (box.size.width - width * sx) / 2,
                  box.origin.y + (box.size.height - height * sy) / 2);
  cairo_scale(cr, sx, sy);
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(surface);
  cairo_pattern_set_filter(pattern, CAIRO_FILTER_GOOD);
  if (image.renderingMode() == UIImageRenderingMode::AlwaysTemplate) {
    setSource(cr, tint);
    cairo_mask(cr, pattern);
  } else {
    cairo_set_source(cr, pattern);
    cairo_paint(cr);
  }
  cairo_pattern_destroy(pattern);
  cairo_restore(cr);
  cairo_surface_destroy(surface);
}

Colour ViewPainter::colour(const std::shared_ptr<platform::uikit::UIColor>& colour, Colour fallback) {
  if (colour == nullptr) return fallback;
  return {colour->red(), colour->green(), colour->blue(), colour->alpha()};
}

TextStyle ViewPainter::textStyle(const platform::uikit::UILabel& label, Colour fallback) {
  TextStyle style;
  if (const auto& font = label.font()) {
    style.size = font->pointSize();
    style.weight = font->weight();
  }
  style.colour = colour(label.textColor(), fallback);
  // A disabled label is drawn faint.
  if (!label.isEnabled()) style.colour.alpha *= 0.35;
  style.alignment = label.textAlignment();
  style.lines = label.numberOfLines();
  return style;
}

void ViewPainter::setSource(cairo_t* context, const Colour& colour) {
  cairo_set_source_rgba(context, colour.red, colour.green, colour.blue, colour.alpha);
}

void ViewPainter::roundedRectangle(cairo_t* context, CGRect box, double radius) {
  const double x = box.origin.x;
  const double y = box.origin.y;
  const double w = box.size.width;
  const double h = box.size.height;
  radius = std::min({radius, w / 2, h / 2});
  cairo_new_sub_path(context);
  cairo_arc(context, x + w - radius, y + radius, radius, -M_PI / 2, 0);
  cairo_arc(context, x + w - radius, y + h - radius, radius, 0, M_PI / 2);
  cairo_arc(context, x + radius, y + h - radius, radius, M_PI / 2, M_PI);
  cairo_arc(context, x + radius, y + radius, radius, M_PI, 3 * M_PI / 2);
  cairo_close_path(context);
}

}  // namespace lunadoze::sim
