// What UIKit draws of its own views and controls.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <string_view>

#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIDatePicker.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UINavigationBar.h"
#include "platform/uikit/UIPickerView.h"
#include "platform/uikit/UISegmentedControl.h"
#include "platform/uikit/UISlider.h"
#include "platform/uikit/UISwitch.h"
#include "platform/uikit/UITextField.h"
#include "sim/pictures/ViewPainter.h"

namespace lunadoze::sim {
namespace {

using namespace platform::uikit;

constexpr Colour kBlack{0, 0, 0, 1};
constexpr Colour kWhite{1, 1, 1, 1};
constexpr Colour kSystemGreen{0.204, 0.780, 0.349, 1};
constexpr Colour kFill{0.471, 0.471, 0.502, 0.16};
constexpr Colour kPlaceholder{0.235, 0.235, 0.263, 0.3};
// Rows of a wheel away from the selection are drawn this faint.
constexpr double kFarRowAlpha = 0.35;

Colour withAlpha(Colour colour, double factor) {
  colour.alpha *= factor;
  return colour;
}

void fill(cairo_t* cr, CGRect box, double radius, const Colour& colour) {
  ViewPainter::setSource(cr, colour);
  ViewPainter::roundedRectangle(cr, box, radius);
  cairo_fill(cr);
}

void drawLabel(ViewPainter& painter, const UIView& view) {
  const auto& label = static_cast<const UILabel&>(view);
  drawText(painter.context(), label.text(), ViewPainter::textStyle(label, kBlack), painter.bounds(view));
}

void printLabel(Fingerprint& print, const UIView& view) {
  const auto& label = static_cast<const UILabel&>(view);
  print.add(label.text());
  ViewPainter::addTo(print, ViewPainter::textStyle(label, kBlack));
}

void drawImageView(ViewPainter& painter, const UIView& view) {
  const auto& imageView = static_cast<const UIImageView&>(view);
  if (const auto& image = imageView.image())
    painter.drawImage(*image, painter.bounds(view), view.contentMode(),
                      ViewPainter::colour(view.tintColor(), kBlack));
}

double labelOverflow(ViewPainter& painter, const UIView& view) {
  const auto& label = static_cast<const UILabel&>(view);
  return textOverflow(painter.context(), label.text(), ViewPainter::textStyle(label, kBlack),
                      painter.bounds(view));
}

void printImageView(Fingerprint& print, const UIView& view) {
  const auto& image = static_cast<const UIImageView&>(view).image();
  print.add(image != nullptr);
  if (image == nullptr) return;
  const auto& pixels = image->pixels();
  print.add(image->size().width).add(image->size().height).add(static_cast<int64_t>(image->renderingMode()));
  print.add(static_cast<uint64_t>(
      std::hash<std::string_view>{}({reinterpret_cast<const char*>(pixels.data()), pixels.size()})));
}

// A wheel's rows: the selected one in the middle at full strength, one above and one below
// fainter, as the wheel curves away.
void drawWheel(cairo_t* cr, CGRect column, double rowHeight, const std::string& above,
               const std::string& selected, const std::string& below, const TextStyle& style,
               double nearSize) {
  const double middle = column.origin.y + column.size.height / 2;
  TextStyle faint = style;
  faint.colour = withAlpha(style.colour, kFarRowAlpha);
  faint.size = nearSize;
  drawText(cr, above, faint, {{column.origin.x, middle - 1.5 * rowHeight}, {column.size.width, rowHeight}});
  drawText(cr, selected, style, {{column.origin.x, middle - rowHeight / 2}, {column.size.width, rowHeight}});
  drawText(cr, below, faint, {{column.origin.x, middle + rowHeight / 2}, {column.size.width, rowHeight}});
}

void drawSelectionBand(cairo_t* cr, CGRect bounds, double rowHeight) {
  const double middle = bounds.origin.y + bounds.size.height / 2;
  fill(cr, {{bounds.origin.x + 8, middle - rowHeight / 2}, {bounds.size.width - 16, rowHeight}}, 8, kFill);
}

void drawDatePicker(ViewPainter& painter, const UIView& view) {
  const auto& picker = static_cast<const UIDatePicker&>(view);
  const CGRect bounds = painter.bounds(view);
  constexpr double kRowHeight = 32;
  cairo_t* cr = painter.context();
  drawSelectionBand(cr, bounds, kRowHeight);
  TextStyle style;
  style.size = 21;
  style.colour = ViewPainter::colour(picker._textColor(), kBlack);
  style.alignment = NSTextAlignmentRight;
  const auto minutesTotal = static_cast<int64_t>(picker.countDownDuration() / 60);
  const int64_t hours = minutesTotal / 60;
  const int64_t minutes = minutesTotal % 60;
  const int64_t step = std::max<int64_t>(1, picker.minuteInterval());
  auto number = [](int64_t value, int64_t modulo) {
    return std::to_string(((value % modulo) + modulo) % modulo);
  };
  // Two wheels, hours and minutes, each a number with its unit beside the selection.
  const double half = bounds.size.width / 2;
  const CGRect hoursColumn{{bounds.origin.x, bounds.origin.y}, {half - 62, bounds.size.height}};
  const CGRect minutesColumn{{bounds.origin.x + half, bounds.origin.y}, {half - 62, bounds.size.height}};
  drawWheel(cr, hoursColumn, kRowHeight, hours > 0 ? number(hours - 1, 24) : "", number(hours, 24),
            number(hours + 1, 24), style, 19);
  drawWheel(cr, minutesColumn, kRowHeight, number(minutes - step, 60), number(minutes, 60),
            number(minutes + step, 60), style, 19);
  TextStyle unit = style;
  unit.size = 17;
  unit.weight = UIFontWeightSemibold;
  unit.alignment = NSTextAlignmentLeft;
  const double middle = bounds.origin.y + bounds.size.height / 2 - kRowHeight / 2;
  drawText(cr, hours == 1 ? "hour" : "hours", unit,
           {{hoursColumn.origin.x + hoursColumn.size.width + 8, middle}, {60, kRowHeight}});
  drawText(cr, "min", unit,
           {{minutesColumn.origin.x + minutesColumn.size.width + 8, middle}, {60, kRowHeight}});
}

void printDatePicker(Fingerprint& print, const UIView& view) {
  const auto& picker = static_cast<const UIDatePicker&>(view);
  print.add(picker.countDownDuration()).add(picker.minuteInterval());
  ViewPainter::addTo(print, ViewPainter::colour(picker._textColor(), kBlack));
}

// The wheels' rows reach a row and a half above and below the middle.
double datePickerOverflow(ViewPainter& painter, const UIView& view) {
  constexpr double kReach = 1.5 * 32 + 4;
  return std::max(0.0, kReach - painter.bounds(view).size.height / 2);
}

void drawPickerView(ViewPainter& painter, const UIView& view) {
  const auto& picker = static_cast<const UIPickerView&>(view);
  const CGRect bounds = painter.bounds(view);
  const int64_t selected = picker.selectedRowInComponent(0);
  const UIView* selectedView = selected >= 0 ? picker.viewForRow(selected, 0) : nullptr;
  const UIView* rows = nullptr;
  if (selectedView != nullptr) {
    drawSelectionBand(painter.context(), bounds, selectedView->frame().size.height);
    rows = selectedView->superview().get();
  }
  if (rows != nullptr) {
    for (int64_t row = selected - 1; row <= selected + 1; ++row) {
      const UIView* shown = row >= 0 ? picker.viewForRow(row, 0) : nullptr;
      if (shown == nullptr) continue;
      CGRect place = shown->superview()->convertRectToView(shown->frame(), &picker);
      painter.paint(*shown, place.origin, row == selected ? 1 : kFarRowAlpha);
    }
  }
  // The picker's own subviews (a caption beside the selection) above its rows.
  for (const auto& subview : picker.subviews()) {
    if (subview.get() != rows) painter.paint(*subview, subview->frame().origin);
  }
}

// The rows and the caption are the picker's subviews, which the painter takes in.
void printPickerView(Fingerprint& print, const UIView& view) {
  print.add(static_cast<const UIPickerView&>(view).selectedRowInComponent(0));
}

void drawSwitch(ViewPainter& painter, const UIView& view) {
  const auto& toggle = static_cast<const UISwitch&>(view);
  cairo_t* cr = painter.context();
  // A switch has its own size, whatever its frame, centred in it.
  const CGRect bounds = painter.bounds(view);
  const CGRect track{
      {bounds.origin.x + (bounds.size.width - 51) / 2, bounds.origin.y + (bounds.size.height - 31) / 2},
      {51, 31}};
  fill(cr, track, 15.5, toggle.isOn() ? kSystemGreen : Colour{0.914, 0.914, 0.918, 1});
  const double knobX = toggle.isOn() ? track.origin.x + 20 + 2 : track.origin.x + 2;
  fill(cr, {{knobX, track.origin.y + 1.5}, {28, 28}}, 14, {0, 0, 0, 0.08});
  fill(cr, {{knobX, track.origin.y + 2}, {27, 27}}, 13.5, kWhite);
}

double switchOverflow(ViewPainter& painter, const UIView& view) {
  return std::max(0.0, (31 - painter.bounds(view).size.height) / 2);
}

void printSwitch(Fingerprint& print, const UIView& view) {
  print.add(static_cast<const UISwitch&>(view).isOn());
}

// A segment's title: cut short when longer than its segment, as the control cuts it.
TextStyle segmentStyle(bool chosen) {
  TextStyle style;
  style.size = 13;
  style.alignment = NSTextAlignmentCenter;
  style.truncatesTail = true;
  style.weight = chosen ? UIFontWeightSemibold : UIFontWeightRegular;
  return style;
}

// Where the segment's title goes.
CGRect segmentAt(CGRect bounds, int64_t count, int64_t index) {
  constexpr double kTitleInset = 5;
  const double width = bounds.size.width / static_cast<double>(count);
  const CGRect segment{{bounds.origin.x + width * static_cast<double>(index), bounds.origin.y},
                       {width, bounds.size.height}};
  return CGRectInset(segment, std::min(kTitleInset, width / 4), 0);
}

void drawSegmentedControl(ViewPainter& painter, const UIView& view) {
  const auto& segments = static_cast<const UISegmentedControl&>(view);
  cairo_t* cr = painter.context();
  const CGRect bounds = painter.bounds(view);
  fill(cr, bounds, 8, {0.463, 0.463, 0.502, 0.12});
  const int64_t count = segments.numberOfSegments();
  const double width = count > 0 ? bounds.size.width / static_cast<double>(count) : 0;
  for (int64_t index = 0; index < count; ++index) {
    const bool chosen = index == segments.selectedSegmentIndex();
    if (chosen) {
      fill(cr,
           {{bounds.origin.x + width * static_cast<double>(index) + 2, bounds.origin.y + 2},
            {width - 4, bounds.size.height - 4}},
           7, kWhite);
    }
    drawText(cr, segments.titleForSegmentAtIndex(index), segmentStyle(chosen),
             segmentAt(bounds, count, index));
  }
}

double segmentedControlOverflow(ViewPainter& painter, const UIView& view) {
  const auto& segments = static_cast<const UISegmentedControl&>(view);
  const int64_t count = segments.numberOfSegments();
  double overflow = 0;
  for (int64_t index = 0; index < count; ++index) {
    overflow = std::max(overflow, textOverflow(painter.context(), segments.titleForSegmentAtIndex(index),
                                               segmentStyle(index == segments.selectedSegmentIndex()),
                                               segmentAt(painter.bounds(view), count, index)));
  }
  return overflow;
}

void printSegmentedControl(Fingerprint& print, const UIView& view) {
  const auto& segments = static_cast<const UISegmentedControl&>(view);
  print.add(segments.numberOfSegments()).add(segments.selectedSegmentIndex());
  for (int64_t index = 0; index < segments.numberOfSegments(); ++index)
    print.add(segments.titleForSegmentAtIndex(index));
}

void drawSlider(ViewPainter& painter, const UIView& view) {
  const auto& slider = static_cast<const UISlider&>(view);
  cairo_t* cr = painter.context();
  const CGRect bounds = painter.bounds(view);
  const double range = slider.maximumValue() - slider.minimumValue();
  const double fraction = range > 0 ? (slider.value() - slider.minimumValue()) / range : 0;
  constexpr double kThumb = 28;
  const double left = bounds.origin.x + kThumb / 2;
  const double width = std::max(0.0, bounds.size.width - kThumb);
  const double middle = bounds.origin.y + bounds.size.height / 2;
  const double thumbX = left + width * std::clamp(fraction, 0.0, 1.0);
  fill(cr, {{left, middle - 2}, {width, 4}}, 2, {0.471, 0.471, 0.502, 0.2});
  fill(cr, {{left, middle - 2}, {thumbX - left, 4}}, 2, ViewPainter::colour(view.tintColor(), kBlack));
  fill(cr, {{thumbX - kThumb / 2, middle - kThumb / 2 + 1}, {kThumb, kThumb}}, kThumb / 2, {0, 0, 0, 0.12});
  fill(cr, {{thumbX - kThumb / 2, middle - kThumb / 2}, {kThumb, kThumb}}, kThumb / 2, kWhite);
}

// The thumb and its shadow, a point lower.
double sliderOverflow(ViewPainter& painter, const UIView& view) {
  return std::max(0.0, (28 + 2 - painter.bounds(view).size.height) / 2);
}

void printSlider(Fingerprint& print, const UIView& view) {
  const auto& slider = static_cast<const UISlider&>(view);
  print.add(static_cast<double>(slider.minimumValue()))
      .add(static_cast<double>(slider.maximumValue()))
      .add(static_cast<double>(slider.value()));
}

// A field shows what fits of its text, or its placeholder.
TextStyle fieldStyle(const UITextField& field) {
  TextStyle style;
  style.size = 17;
  style.alignment = NSTextAlignmentNatural;
  style.truncatesTail = true;
  style.colour = field.text().empty() ? kPlaceholder : kBlack;
  return style;
}

const std::string& shownText(const UITextField& field) {
  return field.text().empty() ? field.placeholder() : field.text();
}

void drawTextField(ViewPainter& painter, const UIView& view) {
  const auto& field = static_cast<const UITextField&>(view);
  drawText(painter.context(), shownText(field), fieldStyle(field), painter.bounds(view));
}

double textFieldOverflow(ViewPainter& painter, const UIView& view) {
  const auto& field = static_cast<const UITextField&>(view);
  return textOverflow(painter.context(), shownText(field), fieldStyle(field), painter.bounds(view));
}

void printTextField(Fingerprint& print, const UIView& view) {
  const auto& field = static_cast<const UITextField&>(view);
  print.add(field.text()).add(field.placeholder());
}

void drawNavigationBar(ViewPainter& painter, const UIView& view) {
  const auto& bar = static_cast<const UINavigationBar&>(view);
  cairo_t* cr = painter.context();
  const CGRect bounds = painter.bounds(view);
  ViewPainter::setSource(cr, ViewPainter::colour(bar.barTintColor(), {0.976, 0.976, 0.976, 0.94}));
  cairo_rectangle(cr, bounds.origin.x, bounds.origin.y, bounds.size.width, bounds.size.height);
  cairo_fill(cr);
  // A shadow image of no size is how a bar is told to show no hairline.
  const auto& shadow = bar.shadowImage();
  if (shadow == nullptr || shadow->size().height > 0) {
    ViewPainter::setSource(cr, {0, 0, 0, 0.3});
    cairo_rectangle(cr, bounds.origin.x, bounds.origin.y + bounds.size.height - 0.5, bounds.size.width, 0.5);
    cairo_fill(cr);
  }
}

void printNavigationBar(Fingerprint& print, const UIView& view) {
  const auto& bar = static_cast<const UINavigationBar&>(view);
  ViewPainter::addTo(print, ViewPainter::colour(bar.barTintColor(), {0.976, 0.976, 0.976, 0.94}));
  const auto& shadow = bar.shadowImage();
  print.add(shadow == nullptr || shadow->size().height > 0);
}

}  // namespace

void addUIKitKinds(ViewPainter::Kinds& kinds) {
  using Kind = ViewPainter::Kind;
  kinds.emplace("UILabel", Kind{.draw = drawLabel, .fingerprint = printLabel, .overflow = labelOverflow});
  kinds.emplace("UIImageView", Kind{.draw = drawImageView, .fingerprint = printImageView});
  kinds.emplace("UIDatePicker",
                Kind{.draw = drawDatePicker, .fingerprint = printDatePicker, .overflow = datePickerOverflow});
  kinds.emplace("UIPickerView",
                Kind{.draw = drawPickerView, .drawsSubviews = true, .fingerprint = printPickerView});
  kinds.emplace("UISwitch", Kind{.draw = drawSwitch, .fingerprint = printSwitch, .overflow = switchOverflow});
  kinds.emplace("UISegmentedControl", Kind{.draw = drawSegmentedControl,
                                           .fingerprint = printSegmentedControl,
                                           .overflow = segmentedControlOverflow});
  kinds.emplace("UISlider", Kind{.draw = drawSlider, .fingerprint = printSlider, .overflow = sliderOverflow});
  kinds.emplace("UITextField",
                Kind{.draw = drawTextField, .fingerprint = printTextField, .overflow = textFieldOverflow});
  kinds.emplace("UINavigationBar", Kind{.draw = drawNavigationBar, .fingerprint = printNavigationBar});
}

}  // namespace lunadoze::sim
