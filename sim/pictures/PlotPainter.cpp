#include "sim/pictures/PlotPainter.h"

#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <stdexcept>
#include <string>

#include "sim/ScriptSyntax.h"
#include "sim/StateFormat.h"
#include "sim/pictures/FileReplacement.h"
#include "sim/pictures/Picture.h"
#include "sim/pictures/TextDrawing.h"
#include "sim/pictures/ViewPainter.h"

namespace lunadoze::sim {
namespace {

using platform::uikit::CGRect;
using platform::uikit::NSTextAlignmentCenter;
using platform::uikit::NSTextAlignmentLeft;
using platform::uikit::NSTextAlignmentRight;

constexpr double kWidth = 900;
constexpr double kLeft = 110;
constexpr double kRight = 24;
constexpr double kTop = 36;
constexpr double kLineLane = 150;
constexpr double kBandLane = 30;
constexpr double kLaneGap = 14;
constexpr double kAxis = 34;
constexpr Colour kInk{0.15, 0.15, 0.18, 1};
constexpr Colour kGrid{0.15, 0.15, 0.18, 0.12};
constexpr Colour kPalette[] = {{0.20, 0.47, 0.85, 1}, {0.90, 0.49, 0.13, 1}, {0.30, 0.69, 0.31, 1},
                               {0.61, 0.35, 0.71, 1}, {0.84, 0.24, 0.31, 1}, {0.09, 0.65, 0.70, 1},
                               {0.55, 0.55, 0.58, 1}, {0.80, 0.66, 0.10, 1}};

struct Lane {
  const Recorder::Series* series;
  bool numeric;
};

bool isNumeric(const Recorder::Series& series) {
  bool any = false;
  for (const auto& sample : series.samples) {
    if (std::isnan(PlotPainter::numberOf(sample.value))) {
      if (sample.value != "-" && sample.value != kNone) return false;
    } else {
      any = true;
    }
  }
  return any;
}

std::string clockText(double seconds) {
  const auto whole = static_cast<int64_t>(std::floor(seconds + 1e-6));
  char text[64];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(whole / 3600),
                static_cast<long long>(whole / 60 % 60), static_cast<long long>(whole % 60));
  return text;
}

double tickStep(double span) {
  for (double step :
       {1.0, 2.0, 5.0, 10.0, 15.0, 30.0, 60.0, 120.0, 300.0, 600.0, 900.0, 1800.0, 3600.0, 7200.0}) {
    if (span / step <= 8) return step;
  }
  return 14400;
}

class Plot {
 public:
  Plot(const Recorder& recorder, double endClock)
      : start_(std::numeric_limits<double>::infinity()), end_(endClock) {
    for (const auto& series : recorder.series()) {
      lanes_.push_back({&series, isNumeric(series)});
      start_ = std::min(start_, series.samples.front().clock);
    }
    end_ = std::max(end_, start_ + 1);
  }

  double height() const {
    double height = kTop + kAxis;
    for (const auto& lane : lanes_) height += (lane.numeric ? kLineLane : kBandLane) + kLaneGap;
    return height;
  }

  void draw(cairo_t* cr) const {
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    TextStyle title{13, platform::uikit::UIFontWeightSemibold, kInk, NSTextAlignmentLeft, 1};
    drawText(cr, "from " + clockText(start_) + " to " + clockText(end_), title,
             {{kLeft, 8}, {kWidth - kLeft, 20}});
    double top = kTop;
    for (const auto& lane : lanes_) {
      const double height = lane.numeric ? kLineLane : kBandLane;
      const CGRect area{{kLeft, top}, {kWidth - kLeft - kRight, height}};
      // A long key is set smaller rather than run off the picture's left edge.
      TextStyle name{12, platform::uikit::UIFontWeightMedium, kInk, NSTextAlignmentRight, 1};
      const double room = kLeft - 44;
      const double width = textWidth(cr, lane.series->key, name);
      if (width > room) name.size = std::max(6.0, name.size * room / width);
      drawText(cr, lane.series->key, name, {{8, top}, {room, lane.numeric ? 20 : height}});
      if (lane.numeric) {
        drawLine(cr, *lane.series, area);
      } else {
        drawBands(cr, *lane.series, area);
      }
      top += height + kLaneGap;
    }
    drawTimeAxis(cr, kTop, top - kLaneGap);
  }

 private:
  double x(double clock, const CGRect& area) const {
    return area.origin.x + (clock - start_) / (end_ - start_) * area.size.width;
  }

  void drawLine(cairo_t* cr, const Recorder::Series& series, const CGRect& area) const {
    double high = 0;
    for (const auto& sample : series.samples) {
      double value = PlotPainter::numberOf(sample.value);
      if (!std::isnan(value)) high = std::max(high, value);
    }
    if (high <= 0) high = 1;
    auto y = [&](double value) { return area.origin.y + area.size.height * (1 - value / high); };
    TextStyle label{10, platform::uikit::UIFontWeightRegular, kInk, NSTextAlignmentRight, 1};
    for (double fraction : {0.0, 0.5, 1.0}) {
      ViewPainter::setSource(cr, kGrid);
      cairo_rectangle(cr, area.origin.x, y(high * fraction) - 0.25, area.size.width, 0.5);
      cairo_fill(cr);
      drawText(cr, formatNumber(high * fraction), label,
               {{area.origin.x - 40, y(high * fraction) - 7}, {34, 14}});
    }
    // A step line: a value holds until the next change.
    ViewPainter::setSource(cr, kPalette[0]);
    cairo_set_line_width(cr, 1.5);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    bool drawing = false;
    for (size_t i = 0; i < series.samples.size(); ++i) {
      const double value = PlotPainter::numberOf(series.samples[i].value);
      const double from = x(series.samples[i].clock, area);
      const double to = x(i + 1 < series.samples.size() ? series.samples[i + 1].clock : end_, area);
      if (std::isnan(value)) {
        drawing = false;
        continue;
      }
      if (drawing) {
        cairo_line_to(cr, from, y(value));
      } else {
        cairo_move_to(cr, from, y(value));
      }
      cairo_line_to(cr, to, y(value));
      drawing = true;
    }
    cairo_stroke(cr);
  }

  void drawBands(cairo_t* cr, const Recorder::Series& series, const CGRect& area) const {
    std::vector<std::string> values;
    for (size_t i = 0; i < series.samples.size(); ++i) {
      const auto& value = series.samples[i].value;
      auto known = std::find(values.begin(), values.end(), value);
      const size_t index = static_cast<size_t>(known - values.begin());
      if (known == values.end()) values.push_back(value);
      const double from = x(series.samples[i].clock, area);
      const double to = x(i + 1 < series.samples.size() ? series.samples[i + 1].clock : end_, area);
      const Colour colour = kPalette[index % std::size(kPalette)];
      ViewPainter::setSource(cr, colour);
      cairo_rectangle(cr, from, area.origin.y, std::max(to - from, 0.5), area.size.height);
      cairo_fill(cr);
      TextStyle label{11, platform::uikit::UIFontWeightMedium, {1, 1, 1, 1}, NSTextAlignmentCenter, 1};
      if (to - from > textWidth(cr, value, label) + 6)
        drawText(cr, value, label, {{from, area.origin.y}, {to - from, area.size.height}});
    }
  }

  void drawTimeAxis(cairo_t* cr, double top, double bottom) const {
    const CGRect area{{kLeft, top}, {kWidth - kLeft - kRight, bottom - top}};
    const double step = tickStep(end_ - start_);
    TextStyle label{10, platform::uikit::UIFontWeightRegular, kInk, NSTextAlignmentCenter, 1};
    for (double tick = std::ceil(start_ / step) * step; tick <= end_ + 1e-9; tick += step) {
      const double at = x(tick, area);
      ViewPainter::setSource(cr, kGrid);
      cairo_rectangle(cr, at - 0.25, top, 0.5, bottom - top + 4);
      cairo_fill(cr);
      // The last label is kept inside the picture, ending under its tick rather than past the edge.
      drawText(cr, clockText(tick), label, {{std::min(at - 40, kWidth - 82), bottom + 6}, {80, 16}});
    }
  }

  std::vector<Lane> lanes_;
  double start_;
  double end_;
};

}  // namespace

double PlotPainter::numberOf(const std::string& value) {
  if (auto number = parseDecimal(value)) return *number;
  double seconds = 0;
  size_t parts = 0;
  size_t begin = 0;
  while (begin <= value.size()) {
    const size_t colon = std::min(value.find(':', begin), value.size());
    auto part = parseInteger(value.substr(begin, colon - begin));
    if (!part || *part < 0) return std::nan("");
    seconds = seconds * 60 + static_cast<double>(*part);
    ++parts;
    begin = colon + 1;
  }
  return parts >= 2 && parts <= 3 ? seconds : std::nan("");
}

void PlotPainter::write(const Recorder& recorder, double endClock, const std::filesystem::path& file) {
  if (recorder.isEmpty()) throw std::runtime_error("nothing recorded: record KEY... first");
  const std::string extension = file.extension().string();
  if (extension != ".png" && extension != ".svg")
    throw std::runtime_error("the plot is a .png or .svg file, not " + file.string());
  Plot plot(recorder, endClock);
  if (extension == ".png") {
    Picture picture(kWidth, plot.height());
    plot.draw(picture.context());
    picture.writePng(file);
    return;
  }
  // Drawn whole before the file is touched, so that a failure keeps the plot that was there.
  std::string svg;
  auto append = [](void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
  };
  cairo_surface_t* surface = cairo_svg_surface_create_for_stream(append, &svg, kWidth, plot.height());
  cairo_t* cr = cairo_create(surface);
  plot.draw(cr);
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  const cairo_status_t status = cairo_surface_status(surface);
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot write " + file.string() + ": " + cairo_status_to_string(status));
  replaceFile(file, svg);
}

}  // namespace lunadoze::sim
