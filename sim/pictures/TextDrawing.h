#pragma once

#include <cairo.h>

#include <string_view>

#include "platform/uikit/CGGeometry.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UILabel.h"

namespace lunadoze::sim {

struct Colour {
  double red = 0, green = 0, blue = 0, alpha = 1;
};

// How a run of text is set: the system font stands in as Inter, with DejaVu Sans for the scripts
// Inter lacks, both found through fontconfig.
struct TextStyle {
  double size = 17;
  platform::uikit::UIFontWeight weight = platform::uikit::UIFontWeightRegular;
  Colour colour;
  platform::uikit::NSTextAlignment alignment = platform::uikit::NSTextAlignmentNatural;
  // 0: as many as the box's width makes; more than 1: at most that many, the last one ending in an
  // ellipsis when the text goes on; 1: one line.
  int64_t lines = 1;
  // One line longer than the box ends in an ellipsis at its edge. Off for labels, whose frames
  // come from average metrics: a line a little wider than its label is shown whole.
  bool truncatesTail = false;
};

// Starts reading the machine's fonts on a thread of their own, so that a program about to draw
// can do other work meanwhile. The first text does it otherwise.
void prepareText();

// Shapes the text with pango (so right-to-left scripts run right to left) and draws it in the box,
// centred vertically as a label centres its text.
void drawText(cairo_t* context, std::string_view text, const TextStyle& style, platform::uikit::CGRect box);

// How far above or below the box drawText() puts ink of the text: a line taller than its box.
double textOverflow(cairo_t* context, std::string_view text, const TextStyle& style,
                    platform::uikit::CGRect box);
// The width the text takes in one line.
double textWidth(cairo_t* context, std::string_view text, const TextStyle& style);
// The height the text takes set in lines of at most `width`, as the style allows.
double textHeight(cairo_t* context, std::string_view text, const TextStyle& style, double width);

}  // namespace lunadoze::sim
