// SpringBoard's own media-control views, drawn as the device shows them: the platters, the
// transport glyphs, the header with the artwork and title, the route button.
#include <cairo.h>

#include <cmath>
#include <string>

#include "platform/foundation/PropertyList.h"
#include "platform/springboard/MediaControlsParentContainerView.h"
#include "platform/springboard/MediaControlsTransportButton.h"
#include "platform/springboard/MediaControlsTransportStackView.h"
#include "platform/springboard/MediaRemote.h"
#include "platform/springboard/SBMediaController.h"
#include "sim/pictures/ViewPainter.h"

namespace lunadoze::sim {
namespace {

using namespace platform::uikit;
using platform::springboard::MediaControlsParentContainerView;
using platform::springboard::MediaControlsTransportStackView;
using platform::springboard::SBMediaController;

constexpr Colour kGlyph{1, 1, 1, 1};

// The lock screen's media controls are of this style; Control Center's are of style 0.
constexpr int64_t kLockScreenStyle = 3;

const platform::foundation::PropertyList::Dictionary* nowPlaying() {
  auto controller = SBMediaController::sharedInstance();
  return controller ? controller->nowPlayingInfo() : nullptr;
}

void drawPlatter(ViewPainter& painter, const UIView& view) {
  const auto& platter = static_cast<const MediaControlsParentContainerView&>(view);
  cairo_t* cr = painter.context();
  const bool lockScreen = platter.style() == kLockScreenStyle;
  ViewPainter::setSource(cr, lockScreen ? Colour{0.35, 0.36, 0.42, 0.55} : Colour{0.11, 0.11, 0.12, 0.92});
  ViewPainter::roundedRectangle(cr, painter.bounds(view), lockScreen ? 13 : 20);
  cairo_fill(cr);
}

void printPlatter(Fingerprint& print, const UIView& view) {
  print.add(static_cast<const MediaControlsParentContainerView&>(view).style());
}

void triangle(cairo_t* cr, double x, double y, double width, double height, bool pointsRight) {
  const double tip = pointsRight ? x + width : x;
  const double base = pointsRight ? x : x + width;
  cairo_move_to(cr, base, y);
  cairo_line_to(cr, tip, y + height / 2);
  cairo_line_to(cr, base, y + height);
  cairo_close_path(cr);
}

// Which of the stack view's three buttons this is: the host keeps them as left, middle, right.
int transportPosition(const UIView& button) {
  auto stack = std::dynamic_pointer_cast<MediaControlsTransportStackView>(button.superview());
  if (stack == nullptr) return 1;
  if (stack->leftButton().get() == &button) return 0;
  if (stack->rightButton().get() == &button) return 2;
  return 1;
}

bool isPlaying() {
  const auto* info = nowPlaying();
  if (info == nullptr) return false;
  auto rate = info->find(platform::springboard::kMRMediaRemoteNowPlayingInfoPlaybackRate);
  return rate != info->end() && rate->second.doubleValue().value_or(0) > 0;
}

void printTransportButton(Fingerprint& print, const UIView& view) {
  const int position = transportPosition(view);
  print.add(static_cast<int64_t>(position)).add(position == 1 && isPlaying());
}

void drawTransportButton(ViewPainter& painter, const UIView& view) {
  cairo_t* cr = painter.context();
  const CGRect bounds = painter.bounds(view);
  const double cx = bounds.origin.x + bounds.size.width / 2;
  const double cy = bounds.origin.y + bounds.size.height / 2;
  const double size = std::min(bounds.size.width, bounds.size.height) * 0.5;
  ViewPainter::setSource(cr, kGlyph);
  const int position = transportPosition(view);
  if (position == 1) {
    if (isPlaying()) {
      cairo_rectangle(cr, cx - size * 0.42, cy - size / 2, size * 0.3, size);
      cairo_rectangle(cr, cx + size * 0.12, cy - size / 2, size * 0.3, size);
    } else {
      triangle(cr, cx - size * 0.38, cy - size / 2, size * 0.86, size, true);
    }
  } else {
    const bool forward = position == 2;
    const double half = size * 0.5;
    triangle(cr, cx - half, cy - half * 0.7, half, half * 1.4, forward);
    triangle(cr, cx, cy - half * 0.7, half, half * 1.4, forward);
  }
  cairo_fill(cr);
}

std::string nowPlayingTitle() {
  if (const auto* info = nowPlaying()) {
    if (auto found = info->find(platform::springboard::kMRMediaRemoteNowPlayingInfoTitle);
        found != info->end() && found->second.string()) {
      return *found->second.string();
    }
  }
  return "Not Playing";
}

void printHeader(Fingerprint& print, const UIView&) {
  print.add(nowPlayingTitle());
}

void drawHeader(ViewPainter& painter, const UIView& view) {
  cairo_t* cr = painter.context();
  const CGRect bounds = painter.bounds(view);
  const CGRect artwork{{bounds.origin.x + 16, bounds.origin.y + 10}, {40, 40}};
  cairo_pattern_t* gradient = cairo_pattern_create_linear(artwork.origin.x, artwork.origin.y,
                                                          artwork.origin.x + 40, artwork.origin.y + 40);
  cairo_pattern_add_color_stop_rgb(gradient, 0, 0.36, 0.29, 0.62);
  cairo_pattern_add_color_stop_rgb(gradient, 1, 0.12, 0.16, 0.38);
  cairo_set_source(cr, gradient);
  ViewPainter::roundedRectangle(cr, artwork, 6);
  cairo_fill(cr);
  cairo_pattern_destroy(gradient);
  TextStyle style;
  style.size = 15;
  style.weight = UIFontWeightSemibold;
  style.colour = kGlyph;
  style.alignment = NSTextAlignmentLeft;
  drawText(cr, nowPlayingTitle(), style,
           {{artwork.origin.x + 52, artwork.origin.y}, {bounds.size.width - 130, 40}});
}

void drawRouteButton(ViewPainter& painter, const UIView& view) {
  cairo_t* cr = painter.context();
  const CGRect bounds = painter.bounds(view);
  const double cx = bounds.origin.x + bounds.size.width / 2;
  const double cy = bounds.origin.y + bounds.size.height / 2;
  ViewPainter::setSource(cr, {1, 1, 1, 0.85});
  cairo_set_line_width(cr, 1.6);
  for (double radius : {4.0, 8.0}) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy - 1, radius, M_PI * 0.8, M_PI * 2.2);
    cairo_stroke(cr);
  }
  triangle(cr, cx - 4, cy + 3, 8, 6, true);
  cairo_move_to(cr, cx - 4.5, cy + 9);
  cairo_line_to(cr, cx, cy + 3);
  cairo_line_to(cr, cx + 4.5, cy + 9);
  cairo_close_path(cr);
  cairo_fill(cr);
}

}  // namespace

void addHostKinds(ViewPainter::Kinds& kinds) {
  using Kind = ViewPainter::Kind;
  kinds.emplace("MediaControlsParentContainerView", Kind{.draw = drawPlatter, .fingerprint = printPlatter});
  kinds.emplace("MediaControlsTransportButton",
                Kind{.draw = drawTransportButton, .fingerprint = printTransportButton});
  kinds.emplace("MediaControlsHeaderView", Kind{.draw = drawHeader, .fingerprint = printHeader});
  kinds.emplace("MPButton", Kind{.draw = drawRouteButton});
}

}  // namespace lunadoze::sim
