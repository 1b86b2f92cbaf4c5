#include "sim/pictures/ScreenPainter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/springboard/MediaControlsParentContainerView.h"
#include "platform/springboard/simulation/LockScreenMediaControls.h"
#include "platform/springboard/simulation/NowPlayingModule.h"
#include "platform/springboard/simulation/SpringBoard.h"
#include "platform/uikit/UIViewController.h"
#include "sim/CommandError.h"
#include "sim/Device.h"
#include "sim/TweakInspection.h"
#include "sim/pictures/ViewPainter.h"

namespace lunadoze::sim {
namespace {

using platform::uikit::CGRect;
using Screen = ScreenPainter::Screen;
using platform::uikit::UIView;

// What shows through around the module: Control Center dims and blurs the screen behind it.
void paintBackdrop(cairo_t* cr, CGRect area) {
  cairo_set_source_rgb(cr, 0.24, 0.25, 0.31);
  cairo_rectangle(cr, area.origin.x, area.origin.y, area.size.width, area.size.height);
  cairo_fill(cr);
}

void fillWallpaper(cairo_t* cr, CGRect area) {
  cairo_pattern_t* night = cairo_pattern_create_linear(0, area.origin.y, 0, area.origin.y + area.size.height);
  cairo_pattern_add_color_stop_rgb(night, 0, 0.05, 0.07, 0.20);
  cairo_pattern_add_color_stop_rgb(night, 0.6, 0.16, 0.11, 0.30);
  cairo_pattern_add_color_stop_rgb(night, 1, 0.30, 0.16, 0.30);
  cairo_set_source(cr, night);
  cairo_rectangle(cr, area.origin.x, area.origin.y, area.size.width, area.size.height);
  cairo_fill(cr);
  cairo_pattern_destroy(night);
}

// The wallpaper as it was last drawn. A gradient is worked out a pixel at a time, and every
// picture of the lock screen starts with the same one.
struct DrawnWallpaper {
  cairo_surface_t* pixels = nullptr;
  cairo_matrix_t matrix{};
  CGRect area{};
  // The colour of each row when every row is of one colour, as a gradient from top to bottom
  // makes it: then a row is filled with its word, without reading the pixels drawn.
  std::vector<uint32_t> rowColours;

  ~DrawnWallpaper() {
    if (pixels != nullptr) cairo_surface_destroy(pixels);
  }
  bool fits(cairo_surface_t* target, const cairo_matrix_t& m, CGRect a) const {
    return pixels != nullptr &&
           cairo_image_surface_get_width(pixels) == cairo_image_surface_get_width(target) &&
           cairo_image_surface_get_height(pixels) == cairo_image_surface_get_height(target) &&
           matrix.xx == m.xx && matrix.yx == m.yx && matrix.xy == m.xy && matrix.yy == m.yy &&
           matrix.x0 == m.x0 && matrix.y0 == m.y0 && CGRectEqualToRect(area, a);
  }
};

// Each row's one colour, or nothing when a row has more than one.
std::vector<uint32_t> rowColours(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const int width = cairo_image_surface_get_width(surface);
  const int height = cairo_image_surface_get_height(surface);
  std::vector<uint32_t> colours;
  if (data == nullptr || width <= 0) return colours;
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride);
    if (std::any_of(row + 1, row + width, [row](uint32_t word) { return word != row[0]; })) return {};
    colours.push_back(row[0]);
  }
  return colours;
}

// Paints the wallpaper on a picture not drawn on yet.
void paintWallpaper(cairo_t* cr, CGRect area) {
  thread_local DrawnWallpaper drawn;
  cairo_surface_t* target = cairo_get_target(cr);
  cairo_matrix_t matrix;
  cairo_get_matrix(cr, &matrix);
  if (!drawn.fits(target, matrix, area)) {
    if (drawn.pixels != nullptr) cairo_surface_destroy(drawn.pixels);
    drawn.pixels = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cairo_image_surface_get_width(target),
                                              cairo_image_surface_get_height(target));
    drawn.matrix = matrix;
    drawn.area = area;
    cairo_t* wallpaper = cairo_create(drawn.pixels);
    cairo_set_matrix(wallpaper, &matrix);
    fillWallpaper(wallpaper, area);
    cairo_destroy(wallpaper);
    drawn.rowColours = rowColours(drawn.pixels);
  }
  if (!drawn.rowColours.empty()) {
    cairo_surface_flush(target);
    unsigned char* data = cairo_image_surface_get_data(target);
    const int stride = cairo_image_surface_get_stride(target);
    const int width = cairo_image_surface_get_width(target);
    for (size_t y = 0; y < drawn.rowColours.size(); ++y) {
      auto* row = reinterpret_cast<uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride);
      std::fill_n(row, width, drawn.rowColours[y]);
    }
    cairo_surface_mark_dirty(target);
    return;
  }
  // Pixel for pixel: the same as drawing it here again.
  cairo_save(cr);
  cairo_identity_matrix(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, drawn.pixels, 0, 0);
  cairo_paint(cr);
  cairo_restore(cr);
}

platform::springboard::SpringBoard& runningSpringBoard(Device& device) {
  auto& springBoard = device.springBoard();
  if (springBoard.nowPlayingModule() == nullptr) throw CommandError("SpringBoard is not running");
  return springBoard;
}

std::unique_ptr<Picture> drawModule(Device& device, bool panelOnly, std::ostream& notes) {
  auto& module = *runningSpringBoard(device).nowPlayingModule();
  const UIView& content = *module.contentView();
  CGRect area = content.bounds();
  if (panelOnly) {
    const UIView* panel = TweakInspection(device).views().panel;
    if (panel == nullptr || panel->superview() == nullptr) {
      notes << "there is no panel yet: its place in the module is drawn\n";
      const UIView& container = *module.parentContainerView();
      area = container.superview()->convertRectToView(container.frame(), &content);
    } else {
      if (panel->isHidden()) notes << "the panel is dismissed: its place in the module is drawn\n";
      area = panel->superview()->convertRectToView(panel->frame(), &content);
    }
  }
  // The backdrop is opaque: where it covers whole pixels, the picture need not be cleared first.
  auto whole = [](double points) { return std::floor(points * Picture::kScale) == points * Picture::kScale; };
  const bool covered =
      whole(area.origin.x) && whole(area.origin.y) && whole(area.size.width) && whole(area.size.height);
  auto picture = std::make_unique<Picture>(area.size.width, area.size.height, Picture::kScale,
                                           covered ? Picture::Start::Covered : Picture::Start::Transparent);
  cairo_t* cr = picture->context();
  cairo_translate(cr, -area.origin.x, -area.origin.y);
  paintBackdrop(cr, area);
  if (!module.isPresented()) {
    notes << "Control Center is not open: drawn without it\n";
    return picture;
  }
  ViewPainter(cr).paint(content, {0, 0});
  return picture;
}

std::unique_ptr<Picture> drawLockScreen(Device& device, std::ostream& notes) {
  auto& controls = *runningSpringBoard(device).lockScreenMediaControls();
  const UIView& screen = *controls.controller()->view();
  const CGRect area = screen.bounds();
  auto picture =
      std::make_unique<Picture>(area.size.width, area.size.height, Picture::kScale, Picture::Start::Covered);
  paintWallpaper(picture->context(), area);
  if (!controls.isShown()) {
    notes << "the lock screen's media controls are not shown: drawn without them\n";
    return picture;
  }
  ViewPainter(picture->context()).paint(screen, {0, 0});
  return picture;
}

// A dark display shows nothing of any screen.
std::unique_ptr<Picture> darkScreen(Device& device, Screen screen, std::ostream& notes) {
  auto& springBoard = runningSpringBoard(device);
  const UIView& view = screen == Screen::LockScreen
                           ? *springBoard.lockScreenMediaControls()->controller()->view()
                           : *springBoard.nowPlayingModule()->contentView();
  CGRect area = view.bounds();
  if (screen == Screen::Panel) area = springBoard.nowPlayingModule()->parentContainerView()->frame();
  auto picture =
      std::make_unique<Picture>(area.size.width, area.size.height, Picture::kScale, Picture::Start::Covered);
  cairo_set_source_rgb(picture->context(), 0, 0, 0);
  cairo_paint(picture->context());
  notes << "the screen is off: drawn dark\n";
  return picture;
}

}  // namespace

std::optional<ScreenPainter::Screen> ScreenPainter::screenNamed(std::string_view name) {
  if (name == "cc") return Screen::ControlCenter;
  if (name == "lock") return Screen::LockScreen;
  if (name == "panel") return Screen::Panel;
  return std::nullopt;
}

std::unique_ptr<Picture> ScreenPainter::draw(Device& device, Screen screen, std::ostream& notes) {
  if (!device.phone().isScreenOn()) return darkScreen(device, screen, notes);
  switch (screen) {
    case Screen::LockScreen:
      return drawLockScreen(device, notes);
    case Screen::Panel:
      return drawModule(device, true, notes);
    case Screen::ControlCenter:
      break;
  }
  return drawModule(device, false, notes);
}

}  // namespace lunadoze::sim
