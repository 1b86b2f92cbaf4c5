#include "sim/pictures/TextDrawing.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

#include <algorithm>
#include <future>
#include <map>
#include <memory>
#include <string>

namespace lunadoze::sim {
namespace {

using platform::uikit::NSTextAlignment;

PangoWeight pangoWeight(platform::uikit::UIFontWeight weight) {
  if (weight <= -0.6) return PANGO_WEIGHT_ULTRALIGHT;
  if (weight <= -0.3) return PANGO_WEIGHT_LIGHT;
  if (weight < 0.2) return PANGO_WEIGHT_NORMAL;
  if (weight < 0.28) return PANGO_WEIGHT_MEDIUM;
  if (weight < 0.35) return PANGO_WEIGHT_SEMIBOLD;
  if (weight < 0.5) return PANGO_WEIGHT_BOLD;
  return PANGO_WEIGHT_HEAVY;
}

struct LayoutDeleter {
  void operator()(PangoLayout* layout) const { g_object_unref(layout); }
};
using Layout = std::unique_ptr<PangoLayout, LayoutDeleter>;

// Adds the paths fontconfig lists, as elements of this name, to its configuration's text.
void addPaths(std::string& configuration, const char* element, FcStrList* paths) {
  while (const FcChar8* path = FcStrListNext(paths)) {
    char* escaped = g_markup_escape_text(reinterpret_cast<const char*>(path), -1);
    configuration += std::string("<") + element + ">" + escaped + "</" + element + ">";
    g_free(escaped);
  }
  FcStrListDone(paths);
}

// The machine's fonts, as its fontconfig set-up finds them and from the caches it keeps, without
// the set-up's rules: they are the machine's and its person's preferences, which pictures do not
// follow (the font options below are fixed for the same reason), and following them is a good
// part of what each new size of text costs. Null when the set-up cannot be read; pango then uses
// it whole. Reading the set-up takes milliseconds, on a thread of its own, started by
// prepareText() or by the first text.
std::shared_future<FcConfig*>& fontsWithoutRules() {
  static std::shared_future<FcConfig*> fonts =
      std::async(std::launch::async, []() -> FcConfig* {
        if (FcInit() == FcFalse) return nullptr;
        FcConfig* machine = FcConfigGetCurrent();
        std::string configuration = "<fontconfig>";
        addPaths(configuration, "cachedir", FcConfigGetCacheDirs(machine));
        addPaths(configuration, "dir", FcConfigGetFontDirs(machine));
        configuration += "</fontconfig>";
        FcConfig* fonts = FcConfigCreate();
        const auto* text = reinterpret_cast<const FcChar8*>(configuration.c_str());
        if (FcConfigParseAndLoadFromMemory(fonts, text, FcTrue) == FcFalse ||
            FcConfigBuildFonts(fonts) == FcFalse) {
          FcConfigDestroy(fonts);
          return nullptr;
        }
        return fonts;
      }).share();
  return fonts;
}

// One context for every layout: making one per label costs more than drawing the label. Font
// options are fixed here rather than taken from the machine's settings, so pictures do not change
// with a desktop's preferences.
PangoContext* sharedContext() {
  static PangoContext* context = [] {
    // The font map is made once the fonts are read, so that pango does not read the set-up a
    // second time meanwhile.
    FcConfig* fonts = fontsWithoutRules().get();
    PangoFontMap* fontMap = pango_cairo_font_map_new();
    if (fonts != nullptr && PANGO_IS_FC_FONT_MAP(fontMap)) {
      pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(fontMap), fonts);
    }
    PangoContext* made = pango_font_map_create_context(fontMap);
    g_object_unref(fontMap);
    pango_cairo_context_set_resolution(made, 72);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    pango_cairo_context_set_font_options(made, options);
    cairo_font_options_destroy(options);
    return made;
  }();
  return context;
}

// A label's layout as drawText sets it up, with what it found out of the text's direction.
struct SetText {
  Layout layout;
  bool rightToLeft = false;
  NSTextAlignment alignment = platform::uikit::NSTextAlignmentNatural;
};

PangoFontDescription* systemFont() {
  static PangoFontDescription* font = pango_font_description_from_string("Inter, DejaVu Sans");
  return font;
}

Layout makeLayout(std::string_view text, const TextStyle& style) {
  Layout layout(pango_layout_new(sharedContext()));
  PangoFontDescription* font = pango_font_description_copy_static(systemFont());
  pango_font_description_set_absolute_size(font, style.size * PANGO_SCALE);
  pango_font_description_set_weight(font, pangoWeight(style.weight));
  pango_layout_set_font_description(layout.get(), font);
  pango_font_description_free(font);
  pango_layout_set_text(layout.get(), text.data(), static_cast<int>(text.size()));
  return layout;
}

SetText setText(std::string_view text, const TextStyle& style, double width) {
  SetText set{makeLayout(text, style)};
  PangoLayout* layout = set.layout.get();
  // Natural alignment follows the text's own direction; left and right are the box's sides.
  // Pango sets a right-to-left paragraph from its right side, which flips its left and right.
  PangoLayoutLine* first = pango_layout_get_line_readonly(layout, 0);
  set.rightToLeft = first != nullptr && first->resolved_dir == PANGO_DIRECTION_RTL;
  NSTextAlignment alignment = style.alignment;
  if (alignment == platform::uikit::NSTextAlignmentNatural ||
      alignment == platform::uikit::NSTextAlignmentJustified) {
    alignment =
        set.rightToLeft ? platform::uikit::NSTextAlignmentRight : platform::uikit::NSTextAlignmentLeft;
  }
  set.alignment = alignment;
  // Frames here come from average metrics, not glyphs: a single line that comes out a little
  // wider than its label is shown whole rather than cut to an ellipsis, unless the style says so.
  if (style.lines == 1 && style.truncatesTail) {
    pango_layout_set_width(layout, static_cast<int>(width * PANGO_SCALE));
    pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
  }
  if (style.lines != 1) {
    pango_layout_set_width(layout, static_cast<int>(width * PANGO_SCALE));
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    if (style.lines > 1) {
      pango_layout_set_height(layout, -static_cast<int>(style.lines));
      pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
    }
    const bool right = alignment == platform::uikit::NSTextAlignmentRight;
    pango_layout_set_alignment(layout, alignment == platform::uikit::NSTextAlignmentCenter
                                           ? PANGO_ALIGN_CENTER
                                       : right != set.rightToLeft ? PANGO_ALIGN_RIGHT
                                                                  : PANGO_ALIGN_LEFT);
  }
  return set;
}

// Tells the shared context the drawing's scale and its target's font options, only when they
// differ from what it has: pango takes any update as a change and lays every layout out again.
void updateContext(cairo_t* context) {
  struct Applied {
    cairo_matrix_t matrix{};
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_t* target = cairo_font_options_create();
    bool any = false;
    ~Applied() {
      cairo_font_options_destroy(options);
      cairo_font_options_destroy(target);
    }
  };
  static Applied applied;
  cairo_matrix_t matrix;
  cairo_get_matrix(context, &matrix);
  cairo_surface_get_font_options(cairo_get_target(context), applied.target);
  // Pango leaves the translation out of its context.
  const bool same = applied.any && matrix.xx == applied.matrix.xx && matrix.yx == applied.matrix.yx &&
                    matrix.xy == applied.matrix.xy && matrix.yy == applied.matrix.yy &&
                    cairo_font_options_equal(applied.options, applied.target);
  if (same) return;
  pango_cairo_update_context(context, sharedContext());
  applied.matrix = matrix;
  cairo_font_options_destroy(applied.options);
  applied.options = cairo_font_options_copy(applied.target);
  applied.any = true;
}

// Layouts made before, by what they were made of: the same labels come back in every picture, and
// shaping them is most of what text costs. Pango lays a kept layout out again by itself when the
// context has changed since (another scale), so what is drawn is what a new layout would draw.
const SetText& layoutFor(cairo_t* context, std::string_view text, const TextStyle& style, double width) {
  static std::map<std::string, SetText, std::less<>> made;
  constexpr size_t kKept = 512;
  updateContext(context);
  std::string key;
  key.reserve(text.size() + 48);
  key.append(reinterpret_cast<const char*>(&style.size), sizeof style.size);
  key.append(reinterpret_cast<const char*>(&style.weight), sizeof style.weight);
  key.append(reinterpret_cast<const char*>(&style.lines), sizeof style.lines);
  // The box shapes only a layout that wraps or is cut, and the alignment only one that wraps.
  key.push_back(style.truncatesTail ? 't' : 'f');
  if (style.lines != 1 || style.truncatesTail)
    key.append(reinterpret_cast<const char*>(&width), sizeof width);
  if (style.lines != 1) {
    key.append(reinterpret_cast<const char*>(&style.alignment), sizeof style.alignment);
  }
  key.append(text);
  if (auto found = made.find(key); found != made.end()) return found->second;
  if (made.size() >= kKept) made.clear();
  return made.emplace(std::move(key), setText(text, style, width)).first->second;
}

}  // namespace

namespace {

// Where the text's lines start: centred vertically in the box.
double topOfText(const PangoRectangle& logical, platform::uikit::CGRect box) {
  return box.origin.y + (box.size.height - static_cast<double>(logical.height) / PANGO_SCALE) / 2;
}

}  // namespace

void prepareText() {
  fontsWithoutRules();
}

void drawText(cairo_t* context, std::string_view text, const TextStyle& style, platform::uikit::CGRect box) {
  if (text.empty() || box.size.width <= 0 || style.colour.alpha <= 0) return;
  const SetText& set = layoutFor(context, text, style, box.size.width);
  PangoLayout* layout = set.layout.get();
  PangoRectangle ink;
  PangoRectangle logical;
  pango_layout_get_extents(layout, &ink, &logical);
  const double width = static_cast<double>(logical.width) / PANGO_SCALE;
  double left = box.origin.x;
  if (style.lines == 1) {
    if (set.alignment == platform::uikit::NSTextAlignmentCenter) left += (box.size.width - width) / 2;
    if (set.alignment == platform::uikit::NSTextAlignmentRight) left += box.size.width - width;
    left -= static_cast<double>(logical.x) / PANGO_SCALE;
  }
  const double top = topOfText(logical, box);
  cairo_save(context);
  cairo_set_source_rgba(context, style.colour.red, style.colour.green, style.colour.blue, style.colour.alpha);
  cairo_move_to(context, left, top);
  pango_cairo_show_layout(context, layout);
  cairo_restore(context);
}

double textOverflow(cairo_t* context, std::string_view text, const TextStyle& style,
                    platform::uikit::CGRect box) {
  if (text.empty() || box.size.width <= 0) return 0;
  PangoRectangle ink;
  PangoRectangle logical;
  pango_layout_get_extents(layoutFor(context, text, style, box.size.width).layout.get(), &ink, &logical);
  const double top = topOfText(logical, box);
  const double inkTop = top + static_cast<double>(ink.y) / PANGO_SCALE;
  const double inkBottom = top + static_cast<double>(ink.y + ink.height) / PANGO_SCALE;
  return std::max({0.0, box.origin.y - inkTop, inkBottom - CGRectGetMaxY(box)});
}

double textWidth(cairo_t* context, std::string_view text, const TextStyle& style) {
  if (text.empty()) return 0;
  TextStyle oneLine = style;
  oneLine.lines = 1;
  oneLine.truncatesTail = false;
  int width = 0;
  int height = 0;
  pango_layout_get_size(layoutFor(context, text, oneLine, 0).layout.get(), &width, &height);
  return static_cast<double>(width) / PANGO_SCALE;
}

double textHeight(cairo_t* context, std::string_view text, const TextStyle& style, double width) {
  if (text.empty() || width <= 0) return 0;
  int layoutWidth = 0;
  int height = 0;
  pango_layout_get_size(layoutFor(context, text, style, width).layout.get(), &layoutWidth, &height);
  return static_cast<double>(height) / PANGO_SCALE;
}

}  // namespace lunadoze::sim
