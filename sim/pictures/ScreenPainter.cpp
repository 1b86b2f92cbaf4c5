#include "sim/pictures/ScreenPainter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>
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
  int width = 0;
  int height = 0;
  cairo_matrix_t matrix{};
  CGRect area{};
  // The colour of each row when every row is of one colour, as a gradient from top to bottom
  // makes it: then a row is filled with its word, without reading the pixels drawn.
  std::vector<uint32_t> rowColours;
  // The whole drawing, kept only when its rows are not of one colour.
  cairo_surface_t* pixels = nullptr;

  DrawnWallpaper() = default;
  DrawnWallpaper(const DrawnWallpaper&) = delete;
  DrawnWallpaper& operator=(const DrawnWallpaper&) = delete;
  ~DrawnWallpaper() {
    if (pixels != nullptr) cairo_surface_destroy(pixels);
  }
  bool fits(cairo_surface_t* target, const cairo_matrix_t& m, CGRect a) const {
    return (pixels != nullptr || !rowColours.empty()) && width == cairo_image_surface_get_width(target) &&
           height == cairo_image_surface_get_height(target) && matrix.xx == m.xx && matrix.yx == m.yx &&
           matrix.xy == m.xy && matrix.yy == m.yy && matrix.x0 == m.x0 && matrix.y0 == m.y0 &&
           CGRectEqualToRect(area, a);
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

// The wallpaper's first pixels across, `width` of them, on a surface of their own.
cairo_surface_t* drawWallpaper(int width, int height, const cairo_matrix_t& matrix, CGRect area) {
  cairo_surface_t* pixels = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* wallpaper = cairo_create(pixels);
  cairo_set_matrix(wallpaper, &matrix);
  fillWallpaper(wallpaper, area);
  cairo_destroy(wallpaper);
  return pixels;
}

// Paints the wallpaper in these rows, whatever was there.
void paintWallpaper(cairo_t* cr, CGRect area, const RowSet& rows) {
  thread_local DrawnWallpaper drawn;
  cairo_surface_t* target = cairo_get_target(cr);
  cairo_matrix_t matrix;
  cairo_get_matrix(cr, &matrix);
  if (!drawn.fits(target, matrix, area)) {
    if (drawn.pixels != nullptr) cairo_surface_destroy(std::exchange(drawn.pixels, nullptr));
    drawn.width = cairo_image_surface_get_width(target);
    drawn.height = cairo_image_surface_get_height(target);
    drawn.matrix = matrix;
    drawn.area = area;
    // Two columns tell whether every row is of one colour (a gradient that is dithered has rows
    // that are not) at a sliver of the cost of the whole: a picture's first wallpaper is
    // megabytes of pixels otherwise, drawn once to be read once.
    cairo_surface_t* columns = drawWallpaper(std::min(drawn.width, 2), drawn.height, matrix, area);
    drawn.rowColours = rowColours(columns);
    cairo_surface_destroy(columns);
    if (drawn.rowColours.empty()) drawn.pixels = drawWallpaper(drawn.width, drawn.height, matrix, area);
  }
  if (!drawn.rowColours.empty()) {
    cairo_surface_flush(target);
    unsigned char* data = cairo_image_surface_get_data(target);
    const int stride = cairo_image_surface_get_stride(target);
    const int width = cairo_image_surface_get_width(target);
    const int height = static_cast<int>(drawn.rowColours.size());
    for (const auto& [top, bottom] : rows.runs()) {
      for (int y = std::max(top, 0); y < std::min(bottom, height); ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride);
        std::fill_n(row, width, drawn.rowColours[static_cast<size_t>(y)]);
      }
    }
    cairo_surface_mark_dirty(target);
    return;
  }
  // Pixel for pixel: the same as drawing it here again. The caller's clip keeps it to the rows.
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

// Keeps what is drawn from now on to these rows of pixels, across the picture.
void clipToRows(cairo_t* cr, const RowSet& rows) {
  cairo_matrix_t matrix;
  cairo_get_matrix(cr, &matrix);
  cairo_identity_matrix(cr);
  const int width = cairo_image_surface_get_width(cairo_get_target(cr));
  for (const auto& [top, bottom] : rows.runs()) cairo_rectangle(cr, 0, top, width, bottom - top);
  cairo_set_matrix(cr, &matrix);
  cairo_clip(cr);
}

// Where two lists of items differ, the rows of the items in either.
RowSet changedRows(const std::vector<ViewPainter::Item>& before,
                   const std::vector<ViewPainter::Item>& after) {
  RowSet rows;
  for (size_t i = 0; i < std::max(before.size(), after.size()); ++i) {
    const bool same = i < before.size() && i < after.size() && before[i] == after[i];
    if (same) continue;
    if (i < before.size()) rows.add(before[i].top, before[i].bottom);
    if (i < after.size()) rows.add(after[i].top, after[i].bottom);
  }
  return rows;
}

// The backdrop is opaque: where it covers whole pixels, the picture need not be cleared first.
bool coversWholePixels(CGRect area) {
  auto whole = [](double points) { return std::floor(points * Picture::kScale) == points * Picture::kScale; };
  return whole(area.origin.x) && whole(area.origin.y) && whole(area.size.width) && whole(area.size.height);
}

}  // namespace

ScreenPainter::Look ScreenPainter::lookOf(Device& device, Screen screen, std::ostream& notes) {
  auto& springBoard = runningSpringBoard(device);
  auto& module = *springBoard.nowPlayingModule();
  auto& controls = *springBoard.lockScreenMediaControls();
  const UIView& content = *module.contentView();
  const UIView& lockScreen = *controls.controller()->view();
  // A dark display shows nothing of any screen.
  if (!device.phone().isScreenOn()) {
    notes << "the screen is off: drawn dark\n";
    CGRect area = screen == Screen::LockScreen ? lockScreen.bounds() : content.bounds();
    if (screen == Screen::Panel) area = module.parentContainerView()->frame();
    return {area, Backdrop::Dark, nullptr};
  }
  if (screen == Screen::LockScreen) {
    if (!controls.isShown()) {
      notes << "the lock screen's media controls are not shown: drawn without them\n";
      return {lockScreen.bounds(), Backdrop::Wallpaper, nullptr};
    }
    return {lockScreen.bounds(), Backdrop::Wallpaper, &lockScreen};
  }
  CGRect area = content.bounds();
  if (screen == Screen::Panel) {
    const UIView* panel = TweakInspection(device).views().panel;
    // A panel made but never shown has no place of its own yet.
    if (panel == nullptr || panel->superview() == nullptr || CGRectIsEmpty(panel->frame())) {
      notes << "there is no panel yet: its place in the module is drawn\n";
      const UIView& container = *module.parentContainerView();
      area = container.superview()->convertRectToView(container.frame(), &content);
    } else {
      if (panel->isHidden()) notes << "the panel is dismissed: its place in the module is drawn\n";
      area = panel->superview()->convertRectToView(panel->frame(), &content);
    }
  }
  if (!module.isPresented()) {
    notes << "Control Center is not open: drawn without it\n";
    return {area, Backdrop::ControlCenter, nullptr};
  }
  return {area, Backdrop::ControlCenter, &content};
}

std::optional<ScreenPainter::Screen> ScreenPainter::screenNamed(std::string_view name) {
  if (name == "cc") return Screen::ControlCenter;
  if (name == "lock") return Screen::LockScreen;
  if (name == "panel") return Screen::Panel;
  return std::nullopt;
}

std::shared_ptr<const Picture> ScreenPainter::draw(Device& device, Screen screen, std::ostream& notes) {
  const Look look = lookOf(device, screen, notes);
  Canvas& canvas = canvases_.at(static_cast<size_t>(screen));
  const bool covered = look.backdrop != Backdrop::ControlCenter || coversWholePixels(look.area);
  // Over the last picture when it is of the same place and nobody holds it any more.
  const bool over = canvas.picture != nullptr && canvas.picture.use_count() == 1 &&
                    CGRectEqualToRect(canvas.look.area, look.area) && canvas.look.backdrop == look.backdrop;
  if (!over) {
    canvas.picture =
        std::make_shared<Picture>(look.area.size.width, look.area.size.height, Picture::kScale,
                                  covered ? Picture::Start::Covered : Picture::Start::Transparent);
    canvas.items.clear();
  }
  Picture& picture = *canvas.picture;
  cairo_t* cr = picture.context();
  cairo_save(cr);
  cairo_translate(cr, -look.area.origin.x, -look.area.origin.y);
  std::vector<ViewPainter::Item> items;
  if (look.content != nullptr) {
    ViewPainter lister(cr);
    lister.listInto(items);
    lister.paint(*look.content, {0, 0});
  }
  const RowSet rows = over ? changedRows(canvas.items, items) : RowSet::all(picture.pixelHeight());
  if (!rows.empty()) {
    picture.redrawRows(rows);
    clipToRows(cr, rows);
    if (!covered) {
      cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
      cairo_paint(cr);
      cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    }
    switch (look.backdrop) {
      case Backdrop::ControlCenter:
        paintBackdrop(cr, look.area);
        break;
      case Backdrop::Wallpaper:
        paintWallpaper(cr, look.area, rows);
        break;
      case Backdrop::Dark:
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_paint(cr);
        break;
    }
    if (look.content != nullptr) {
      ViewPainter painter(cr);
      painter.drawOnly(rows);
      painter.paint(*look.content, {0, 0});
    }
  }
  cairo_restore(cr);
  canvas.look = look;
  canvas.items = std::move(items);
  return canvas.picture;
}

}  // namespace lunadoze::sim
