#pragma once

#include <cairo.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/uikit/CGGeometry.h"
#include "platform/uikit/UIView.h"
#include "sim/pictures/Fingerprint.h"
#include "sim/pictures/RowSet.h"
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
//
// A picture can be drawn again over the last one where it changed only: the painter lists what
// it would draw, item by item (a view's own drawing, a layer), each with the rows it reaches and a
// fingerprint of what it draws with; where two lists differ, the rows of the items that differ
// are drawn again, and only the items that reach them.
class ViewPainter {
 public:
  // A kind's routine draws in the view's own coordinates (its bounds) after the background, no
  // further above or below them than its overflow says (a line of text taller than its label, a
  // switch of its own size), where the painter clips it. One that draws the subviews itself says
  // so, and the painter leaves them to it. The fingerprint takes in whatever the routine draws
  // with beyond what every view has (its class, bounds, background and tint colours).
  struct Kind {
    void (*draw)(ViewPainter& painter, const platform::uikit::UIView& view) = nullptr;
    bool drawsSubviews = false;
    void (*fingerprint)(Fingerprint& print, const platform::uikit::UIView& view) = nullptr;
    // In points; none when not given.
    double (*overflow)(ViewPainter& painter, const platform::uikit::UIView& view) = nullptr;
  };
  using Kinds = std::map<std::string, Kind, std::less<>>;
  // What may show beyond any view's drawing, in points: the soft edge of a shape or a glyph.
  static constexpr double kBleed = 2;

  // What the painter draws at one place in its order: the same items in the same order draw the
  // same pixels.
  struct Item {
    uint64_t fingerprint = 0;
    // The rows of pixels it may reach.
    int top = 0;
    int bottom = 0;
    bool operator==(const Item&) const = default;
  };

  explicit ViewPainter(cairo_t* context) : context_(context) {}

  // From now on lists into `items` what painting would draw, and draws nothing.
  void listInto(std::vector<Item>& items) { items_ = &items; }
  // From now on draws only the items that reach these rows; the rest of the picture stays as it is.
  void drawOnly(const RowSet& rows) { only_ = &rows; }

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
  static void addTo(Fingerprint& print, const Colour& colour);
  static void addTo(Fingerprint& print, const TextStyle& style);
  static void roundedRectangle(cairo_t* context, platform::uikit::CGRect box, double radius);

 private:
  static const Kinds& kinds();
  static const Kind* kindOf(const platform::uikit::UIView& view);
  // Where the view and its subtree draw, in its own coordinates; nothing when that cannot be told.
  std::optional<platform::uikit::CGRect> extent(const platform::uikit::UIView& view) const;
  // Where the subviews lie, in the view's coordinates, hidden or not, clipped or not; nothing when
  // a transform turns one.
  std::optional<platform::uikit::CGRect> reach(const platform::uikit::UIView& view) const;
  // The rows of pixels the area covers, in the current coordinates; all of them with no area.
  RowSet::Run rowsOf(const std::optional<platform::uikit::CGRect>& area) const;
  // The background and what the view's kind draws, or their item.
  void paintOwn(const platform::uikit::UIView& view, const Kind* kind, platform::uikit::CGRect bounds);
  // Takes in what every view has, and what its kind draws with.
  void addView(Fingerprint& print, const platform::uikit::UIView& view, const Kind* kind) const;
  void addSubtree(Fingerprint& print, const platform::uikit::UIView& view) const;
  // Takes in where the painter stands: the transformation and the clip.
  void addPlace(Fingerprint& print) const;

  cairo_t* context_;
  std::vector<Item>* items_ = nullptr;
  const RowSet* only_ = nullptr;
  const platform::uikit::UIView* sized_ = nullptr;
  platform::uikit::CGSize size_;
};

// The routines of the views UIKit draws, and of the host's own views.
void addUIKitKinds(ViewPainter::Kinds& kinds);
void addHostKinds(ViewPainter::Kinds& kinds);

}  // namespace lunadoze::sim
