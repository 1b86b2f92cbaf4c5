#include "sim/pictures/ViewPainter.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/runtime/Class.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UILabel.h"
#include "sim/pictures/DrawnImages.h"

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
    const auto area = extent(view);
    if (area) clipToPixelsAround(cr, *area);
    const auto [top, bottom] = rowsOf(area);
    if (items_ != nullptr) {
      Fingerprint print;
      addPlace(print);
      print.add(alpha);
      items_->push_back({print.value(), top, bottom});
    } else if (only_ != nullptr && !only_->meets(top, bottom)) {
      cairo_restore(cr);
      return;
    } else {
      cairo_push_group(cr);
    }
  }
  if (view.clipsToBounds()) {
    cairo_rectangle(cr, bounds.origin.x, bounds.origin.y, bounds.size.width, bounds.size.height);
    cairo_clip(cr);
  }
  const Kind* kind = kindOf(view);
  paintOwn(view, kind, bounds);
  if (kind == nullptr || !kind->drawsSubviews) paintSubviews(view);
  if (layered && items_ == nullptr) {
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, alpha);
  }
  cairo_restore(cr);
}

void ViewPainter::paintOwn(const UIView& view, const Kind* kind, CGRect bounds) {
  const Colour background = colour(view.backgroundColor());
  // A view of no size has no content of its own to show; its subviews may still lie outside it.
  const bool drawn = kind != nullptr && bounds.size.width > 0 && bounds.size.height > 0;
  if (background.alpha <= 0 && !drawn) return;
  // A routine that draws the subviews reaches where they lie.
  std::optional<CGRect> area = bounds;
  if (drawn && kind->drawsSubviews) {
    area = reach(view);
    if (area) area = unionOf(*area, bounds);
  }
  const double overflow = drawn && kind->overflow != nullptr ? kind->overflow(*this, view) : 0;
  if (area) area = CGRectInset(*area, 0, -(kBleed + overflow));
  const auto [top, bottom] = rowsOf(area);
  cairo_t* cr = context_;
  if (items_ != nullptr) {
    Fingerprint print;
    addPlace(print);
    addView(print, view, drawn ? kind : nullptr);
    if (drawn && kind->drawsSubviews) addSubtree(print, view);
    items_->push_back({print.value(), top, bottom});
    return;
  }
  if (only_ != nullptr && !only_->meets(top, bottom)) return;
  cairo_save(cr);
  // The rows the item was listed with are all it may change.
  cairo_matrix_t matrix;
  cairo_get_matrix(cr, &matrix);
  cairo_identity_matrix(cr);
  cairo_rectangle(cr, 0, top, cairo_image_surface_get_width(cairo_get_target(cr)), bottom - top);
  cairo_set_matrix(cr, &matrix);
  cairo_clip(cr);
  if (background.alpha > 0) {
    setSource(cr, background);
    cairo_rectangle(cr, bounds.origin.x, bounds.origin.y, bounds.size.width, bounds.size.height);
    cairo_fill(cr);
  }
  if (drawn) kind->draw(*this, view);
  cairo_restore(cr);
}

RowSet::Run ViewPainter::rowsOf(const std::optional<CGRect>& area) const {
  cairo_t* cr = context_;
  const int height = cairo_image_surface_get_height(cairo_get_target(cr));
  if (!area) return {0, height};
  double top = std::numeric_limits<double>::infinity();
  double bottom = -top;
  for (const CGPoint corner :
       {area->origin, CGPoint{CGRectGetMaxX(*area), area->origin.y},
        CGPoint{area->origin.x, CGRectGetMaxY(*area)}, CGPoint{CGRectGetMaxX(*area), CGRectGetMaxY(*area)}}) {
    double x = corner.x;
    double y = corner.y;
    cairo_user_to_device(cr, &x, &y);
    top = std::min(top, y);
    bottom = std::max(bottom, y);
  }
  // Rows beyond the picture are none of its own; a pixel partly covered is reached.
  top = std::clamp(std::floor(top), 0.0, static_cast<double>(height));
  bottom = std::clamp(std::ceil(bottom), top, static_cast<double>(height));
  return {static_cast<int>(top), static_cast<int>(bottom)};
}

void ViewPainter::addPlace(Fingerprint& print) const {
  cairo_matrix_t matrix;
  cairo_get_matrix(context_, &matrix);
  print.add(matrix.xx).add(matrix.yx).add(matrix.xy).add(matrix.yy).add(matrix.x0).add(matrix.y0);
  double x1 = 0;
  double y1 = 0;
  double x2 = 0;
  double y2 = 0;
  cairo_clip_extents(context_, &x1, &y1, &x2, &y2);
  print.add(x1).add(y1).add(x2).add(y2);
}

void ViewPainter::addView(Fingerprint& print, const UIView& view, const Kind* kind) const {
  const CGRect bounds = this->bounds(view);
  // By name: a class of a library loaded again is where the library is now.
  print.add(std::string_view(view.isa()->name()));
  print.add(bounds.origin.x).add(bounds.origin.y).add(bounds.size.width).add(bounds.size.height);
  addTo(print, colour(view.backgroundColor()));
  addTo(print, colour(view.tintColor()));
  print.add(static_cast<int64_t>(view.contentMode()));
  if (kind != nullptr && kind->fingerprint != nullptr) kind->fingerprint(print, view);
}

void ViewPainter::addSubtree(Fingerprint& print, const UIView& view) const {
  print.add(static_cast<uint64_t>(view.subviews().size()));
  for (const auto& subview : view.subviews()) {
    const CGRect frame = subview->frame();
    const auto t = subview->transform();
    print.add(subview->isHidden()).add(subview->alpha()).add(subview->clipsToBounds());
    print.add(frame.origin.x).add(frame.origin.y).add(frame.size.width).add(frame.size.height);
    print.add(t.a).add(t.b).add(t.c).add(t.d).add(t.tx).add(t.ty);
    addView(print, *subview, kindOf(*subview));
    addSubtree(print, *subview);
  }
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

std::optional<CGRect> ViewPainter::reach(const UIView& view) const {
  std::optional<CGRect> area;
  for (const auto& subview : view.subviews()) {
    if (!(subview->transform() == platform::uikit::CGAffineTransformIdentity)) return std::nullopt;
    const auto further = reach(*subview);
    if (!further) return std::nullopt;
    const CGRect own = bounds(*subview);
    const CGPoint origin = subview->frame().origin;
    const CGRect inside =
        CGRectOffset(unionOf(own, *further), origin.x - own.origin.x, origin.y - own.origin.y);
    area = area ? unionOf(*area, inside) : inside;
  }
  if (!area) return bounds(view);
  return area;
}

void ViewPainter::paintSubviews(const UIView& view) {
  for (const auto& subview : view.subviews()) paint(*subview, subview->frame().origin);
}

void ViewPainter::drawImage(const platform::uikit::UIImage& image, CGRect box,
                            platform::uikit::UIViewContentMode mode, const Colour& tint) {
  DrawnImages::ofThisThread().draw(context_, image, box, mode, tint);
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

void ViewPainter::addTo(Fingerprint& print, const Colour& colour) {
  print.add(colour.red).add(colour.green).add(colour.blue).add(colour.alpha);
}

void ViewPainter::addTo(Fingerprint& print, const TextStyle& style) {
  addTo(print, style.colour);
  print.add(style.size).add(static_cast<double>(style.weight)).add(static_cast<int64_t>(style.alignment));
  print.add(style.lines).add(style.truncatesTail);
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
