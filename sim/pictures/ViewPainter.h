#pragma once

#include <cairo.h>

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/uikit/CGGeometry.h"
#include "platform/uikit/UIView.h"
#include "sim/pictures/TextDrawing.h"

namespace platform::uikit {
class UIColor;
class UIImage;
}  // namespace platform::uikit

namespace lunadoze::sim {

// Draws a laid-out view tree as UIKit composites it: back to front, each view in its frame, its
// alpha applied to it and everything inside it, hidden views and their subtrees left out, clipped
// where the view clips to its bounds. What a view shows of its own is drawn by the routine of its
// kind, found by class name up the class chain; a view of no known kind shows its background.
class ViewPainter {
 public:
  // A kind's routine draws in the view's own coordinates (its bounds) after the background. One
  // that draws the subviews itself says so, and the painter leaves them to it.
  struct Kind {
    void (*draw)(ViewPainter& painter, const platform::uikit::UIView& view) = nullptr;
    bool drawsSubviews = false;
  };
  using Kinds = std::map<std::string, Kind, std::less<>>;

  explicit ViewPainter(cairo_t* context) : context_(context) {}

  cairo_t* context() const { return context_; }

  // Draws the view with its frame's origin at `origin` in the current coordinates, with the
  // view's alpha multiplied by `alpha`.
  void paint(const platform::uikit::UIView& view, platform::uikit::CGPoint origin, double alpha = 1);
  // The same with the view's size taken as `size`, for a view that its container has not sized.
  void paint(const platform::uikit::UIView& view, platform::uikit::CGPoint origin, double alpha,
             platform::uikit::CGSize size);
  // The bounds a routine draws the view in.
  platform::uikit::CGRect bounds(const platform::uikit::UIView& view) const;
  // Draws the subviews in the view's own coordinates, back to front.
  void paintSubviews(const platform::uikit::UIView& view);

  // Draws the image into the box as the content mode says; in `tint` when it is a template.
  void drawImage(const platform::uikit::UIImage& image, platform::uikit::CGRect box,
                 platform::uikit::UIViewContentMode mode, const Colour& tint);

  static Colour colour(const std::shared_ptr<platform::uikit::UIColor>& colour,
                       Colour fallback = {0, 0, 0, 0});
  // How the label sets its text: its font, its colour (faint while disabled; `fallback` when it
  // has none), its alignment and its number of lines.
  static TextStyle textStyle(const platform::uikit::UILabel& label, Colour fallback = {0, 0, 0, 1});
  static void setSource(cairo_t* context, const Colour& colour);
  static void roundedRectangle(cairo_t* context, platform::uikit::CGRect box, double radius);

 private:
  static const Kinds& kinds();
  static const Kind* kindOf(const platform::uikit::UIView& view);
  // Where the view and its subtree draw, in its own coordinates; nothing when that cannot be told.
  std::optional<platform::uikit::CGRect> extent(const platform::uikit::UIView& view) const;

  cairo_t* context_;
  const platform::uikit::UIView* sized_ = nullptr;
  platform::uikit::CGSize size_;
};

// The routines of the views UIKit draws, and of the host's own views.
void addUIKitKinds(ViewPainter::Kinds& kinds);
void addHostKinds(ViewPainter::Kinds& kinds);

}  // namespace lunadoze::sim
