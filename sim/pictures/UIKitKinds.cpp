// What UIKit draws of its own views and controls.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <string>

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

void drawImageView(ViewPainter& painter, const UIView& view) {
  const auto& imageView = static_cast<const UIImageView&>(view);
  if (const auto& image = imageView.image())
    painter.drawImage(*image, painter.bounds(view), view.contentMode(),
                      ViewPainter::colour(view.tintColor(), kBlack));
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

void drawSegmentedControl(ViewPainter& painter, const UIView& view) {
  const auto& segments = static_cast<const UISegmentedControl&>(view);
  cairo_t* cr = painter.context();
  const CGRect bounds = painter.bounds(view);
  fill(cr, bounds, 8, {0.463, 0.463, 0.502, 0.12});
  const int64_t count = segments.numberOfSegments();
  if (count == 0) return;
  const double width = bounds.size.width / static_cast<double>(count);
  TextStyle style;
  style.size = 13;
  style.alignment = NSTextAlignmentCenter;
  // A title longer than its segment is cut short, as the control cuts it.
  style.truncatesTail = true;
  constexpr double kTitleInset = 5;
  for (int64_t index = 0; index < count; ++index) {
    const CGRect segment{{bounds.origin.x + width * static_cast<double>(index), bounds.origin.y},
                         {width, bounds.size.height}};
    const bool chosen = index == segments.selectedSegmentIndex();
    if (chosen)
      fill(cr, {{segment.origin.x + 2, segment.origin.y + 2}, {width - 4, segment.size.height - 4}}, 7,
           kWhite);
    style.weight = chosen ? UIFontWeightSemibold : UIFontWeightRegular;
    drawText(cr, segments.titleForSegmentAtIndex(index), style,
             CGRectInset(segment, std::min(kTitleInset, width / 4), 0));
  }
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

void drawTextField(ViewPainter& painter, const UIView& view) {
  const auto& field = static_cast<const UITextField&>(view);
  TextStyle style;
  style.size = 17;
  style.alignment = NSTextAlignmentNatural;
  // A field shows what fits of its text.
  style.truncatesTail = true;
  const bool empty = field.text().empty();
  style.colour = empty ? kPlaceholder : kBlack;
  drawText(painter.context(), empty ? field.placeholder() : field.text(), style, painter.bounds(view));
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

}  // namespace

void addUIKitKinds(ViewPainter::Kinds& kinds) {
  kinds.emplace("UILabel", ViewPainter::Kind{drawLabel});
  kinds.emplace("UIImageView", ViewPainter::Kind{drawImageView});
  kinds.emplace("UIDatePicker", ViewPainter::Kind{drawDatePicker});
  kinds.emplace("UIPickerView", ViewPainter::Kind{drawPickerView, true});
  kinds.emplace("UISwitch", ViewPainter::Kind{drawSwitch});
  kinds.emplace("UISegmentedControl", ViewPainter::Kind{drawSegmentedControl});
  kinds.emplace("UISlider", ViewPainter::Kind{drawSlider});
  kinds.emplace("UITextField", ViewPainter::Kind{drawTextField});
  kinds.emplace("UINavigationBar", ViewPainter::Kind{drawNavigationBar});
}

}  // namespace lunadoze::sim
