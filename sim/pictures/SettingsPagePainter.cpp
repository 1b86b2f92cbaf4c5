#include "sim/pictures/SettingsPagePainter.h"

#include <glib.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/preferences/PSListController.h"
#include "platform/preferences/PSSpecifier.h"
#include "platform/preferences/PSTableCell.h"
#include "platform/uikit/UIBarButtonItem.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UINavigationBar.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UISegmentedControl.h"
#include "platform/uikit/UISwitch.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/UITableViewCell.h"
#include "sim/pictures/ViewPainter.h"

namespace lunadoze::sim {
namespace {

using namespace platform::uikit;
using platform::preferences::PSListController;

constexpr double kStatusBar = 20;
constexpr double kBar = 44;
// A grouped table's section header when its delegate asks for none of its own: UIKit takes a
// height of 0 as the default too.
constexpr double kDefaultHeader = 35;
constexpr double kRowInset = 16;
constexpr double kControlGap = 8;
constexpr double kChevronSpace = 20;
constexpr Colour kGroupedBackground{0.949, 0.949, 0.969, 1};
constexpr Colour kSeparator{0.776, 0.776, 0.784, 1};
constexpr Colour kSystemBlue{0, 0.478, 1, 1};
constexpr Colour kSectionText{0.427, 0.427, 0.447, 1};
constexpr Colour kDetailText{0.557, 0.557, 0.576, 1};

struct Section {
  std::string title;
  std::string footer;
  double headerHeight = kDefaultHeader;
  std::vector<std::shared_ptr<UITableViewCell>> cells;
  std::vector<bool> links;
};

// The table's sections as its data source gives them, each with its group's label above it and
// its group's footer text below it, as the Settings app shows a group.
std::vector<Section> sectionsOf(PSListController& page) {
  auto table = page.table();
  std::vector<Section> sections;
  for (int64_t index = 0; index < table->numberOfSections(); ++index) {
    Section section;
    section.title = page.tableViewTitleForHeaderInSection(table.get(), index);
    section.footer = page.tableViewTitleForFooterInSection(table.get(), index);
    if (auto delegate = table->delegate()) {
      const double height = delegate->tableViewHeightForHeaderInSection(table.get(), index);
      if (height > 0) section.headerHeight = height;
    }
    for (int64_t row = 0; row < table->numberOfRowsInSection(index); ++row) {
      auto indexPath = NSIndexPath::indexPathForRow(row, index);
      auto specifier = page.specifierAtIndexPath(indexPath);
      section.cells.push_back(page.tableViewCellForRowAtIndexPath(table.get(), indexPath));
      section.links.push_back(specifier && specifier->cellType() == platform::preferences::PSLinkCell);
    }
    sections.push_back(std::move(section));
  }
  return sections;
}

TextStyle sectionTextStyle() {
  TextStyle style;
  style.size = 13;
  style.colour = kSectionText;
  style.alignment = NSTextAlignmentNatural;
  style.lines = 0;
  return style;
}

// A group's label stands above it in capitals.
std::string capitals(const std::string& text) {
  gchar* upper = g_utf8_strup(text.c_str(), static_cast<gssize>(text.size()));
  std::string result = upper != nullptr ? upper : text;
  g_free(upper);
  return result;
}

void fillRect(cairo_t* cr, CGRect box, const Colour& colour) {
  ViewPainter::setSource(cr, colour);
  cairo_rectangle(cr, box.origin.x, box.origin.y, box.size.width, box.size.height);
  cairo_fill(cr);
}

// The title view's shown part: a label's text or an icon, centred in the bar.
void drawTitle(ViewPainter& painter, const UINavigationItem& item, const std::string& fallback, CGRect bar,
               const Colour& colour) {
  TextStyle style{17, UIFontWeightSemibold, colour, NSTextAlignmentCenter, 1};
  if (const auto& titleView = item.titleView()) {
    for (const auto& part : titleView->subviews()) {
      if (part->isHidden() || part->alpha() < 0.01) continue;
      if (auto* label = dynamic_cast<const UILabel*>(part.get())) {
        drawText(painter.context(), label->text(), style, bar);
        return;
      }
      if (auto* icon = dynamic_cast<const UIImageView*>(part.get()); icon && icon->image()) {
        constexpr double kIcon = 29;
        painter.drawImage(
            *icon->image(),
            {{bar.origin.x + (bar.size.width - kIcon) / 2, bar.origin.y + (bar.size.height - kIcon) / 2},
             {kIcon, kIcon}},
            UIViewContentModeScaleAspectFit, ViewPainter::colour(icon->tintColor(), colour));
        return;
      }
    }
  }
  drawText(painter.context(), item.title().empty() ? fallback : item.title(), style, bar);
}

// Equal segments, each as wide as the widest title needs, together no wider than most of the row.
double segmentsWidth(cairo_t* cr, const UISegmentedControl& segments, double rowWidth) {
  TextStyle style;
  style.size = 13;
  style.weight = UIFontWeightSemibold;
  double widest = 0;
  for (int64_t index = 0; index < segments.numberOfSegments(); ++index)
    widest = std::max(widest, textWidth(cr, segments.titleForSegmentAtIndex(index), style));
  constexpr double kTitlePadding = 24;
  return std::min(rowWidth * 0.62,
                  static_cast<double>(segments.numberOfSegments()) * (widest + kTitlePadding));
}

// Where a row's control sits: at its trailing edge, a switch at its own size, segments as wide as
// their titles need, a control its cell has sized at that size, others in the row's last two
// fifths.
CGRect accessoryFrame(cairo_t* cr, const UIView& accessory, CGSize row) {
  CGSize size{row.width * 0.4, 31};
  if (accessory.frame().size.width > 0) size = accessory.frame().size;
  if (dynamic_cast<const UISwitch*>(&accessory) != nullptr) size = {51, 31};
  if (const auto* segments = dynamic_cast<const UISegmentedControl*>(&accessory))
    size = {segmentsWidth(cr, *segments, row.width), 31};
  return {{row.width - kRowInset - size.width, (row.height - size.height) / 2}, size};
}

// A row as the table lays it out at its width: the title from the leading edge up to the control
// (or the chevron) and cut short there, the detail text before the chevron, the control at the
// trailing edge, and whatever else the cell holds where the cell put it.
void paintRow(ViewPainter& painter, const UITableViewCell& cell, CGRect row, bool link, double alpha) {
  cairo_t* cr = painter.context();
  double end = row.size.width - kRowInset - (link ? kChevronSpace : 0);
  const auto& accessory = cell.accessoryView();
  if (accessory != nullptr && !accessory->isHidden()) {
    const CGRect frame = accessoryFrame(cr, *accessory, row.size);
    painter.paint(*accessory, {row.origin.x + frame.origin.x, row.origin.y + frame.origin.y}, alpha,
                  frame.size);
    end = std::min(end, frame.origin.x - kControlGap);
  }
  // The row's texts take one line each, cut short where the next thing starts.
  auto styleOf = [alpha](const UILabel& label, Colour fallback) {
    TextStyle style = ViewPainter::textStyle(label, fallback);
    style.colour.alpha *= alpha;
    style.lines = 1;
    style.truncatesTail = true;
    return style;
  };
  const auto& title = cell.textLabel();
  double titleEnd = kRowInset;
  if (title != nullptr && !title->isHidden() && !title->text().empty()) {
    TextStyle style = styleOf(*title, {0, 0, 0, 1});
    style.alignment = NSTextAlignmentLeft;
    const double width = std::max(0.0, end - kRowInset);
    drawText(cr, title->text(), style, {{row.origin.x + kRowInset, row.origin.y}, {width, row.size.height}});
    titleEnd += std::min(width, textWidth(cr, title->text(), style));
  }
  const auto& detail = cell.detailTextLabel();
  if (detail != nullptr && !detail->isHidden() && !detail->text().empty()) {
    TextStyle style = styleOf(*detail, kDetailText);
    style.alignment = NSTextAlignmentRight;
    const double start = titleEnd + kControlGap;
    drawText(cr, detail->text(), style,
             {{row.origin.x + start, row.origin.y}, {std::max(0.0, end - start), row.size.height}});
  }
  for (const auto& part : cell.subviews()) {
    if (part == title || part == detail || part == accessory) continue;
    painter.paint(*part, {row.origin.x + part->frame().origin.x, row.origin.y + part->frame().origin.y},
                  alpha);
  }
}

void drawChevron(cairo_t* cr, double x, double middle) {
  ViewPainter::setSource(cr, {0.235, 0.235, 0.263, 0.3});
  cairo_set_line_width(cr, 2);
  cairo_move_to(cr, x, middle - 6);
  cairo_line_to(cr, x + 6, middle);
  cairo_line_to(cr, x, middle + 6);
  cairo_stroke(cr);
}

}  // namespace

std::unique_ptr<Picture> SettingsPagePainter::draw(PSListController& page, const UINavigationBar& bar) {
  const auto sections = sectionsOf(page);
  auto table = page.table();
  const double width = table->bounds().size.width;
  const auto& header = table->tableHeaderView();
  // The footers' lines are measured before the picture is made, to know its height.
  const Picture measuring(1, 1);
  const TextStyle sectionText = sectionTextStyle();
  const double textColumn = width - 2 * kRowInset;
  auto footerHeight = [&](const Section& section) {
    return section.footer.empty()
               ? 0.0
               : 7 + textHeight(measuring.context(), section.footer, sectionText, textColumn) + 7;
  };
  double contentHeight = kStatusBar + kBar + (header ? header->frame().size.height : 0);
  for (const auto& section : sections) {
    contentHeight += section.headerHeight + footerHeight(section);
    for (const auto& cell : section.cells) contentHeight += cell->frame().size.height;
  }
  auto picture =
      std::make_unique<Picture>(width, std::max(table->bounds().size.height, contentHeight + kDefaultHeader));
  cairo_t* cr = picture->context();
  ViewPainter painter(cr);
  fillRect(cr, {{0, 0}, {width, picture->pixelHeight() / Picture::kScale}}, kGroupedBackground);

  // The table scrolls under the bar: the bar is drawn last, over it.
  double y = kStatusBar + kBar - table->contentOffset().y;
  if (header != nullptr) {
    painter.paint(*header, {(width - header->frame().size.width) / 2, y});
    y += header->frame().size.height;
  }
  for (const auto& section : sections) {
    if (!section.title.empty()) {
      TextStyle style = sectionText;
      style.lines = 1;
      style.truncatesTail = true;
      drawText(cr, capitals(section.title), style,
               {{kRowInset, y + section.headerHeight - 24}, {textColumn, 18}});
    }
    y += section.headerHeight;
    for (size_t index = 0; index < section.cells.size(); ++index) {
      const auto& cell = *section.cells[index];
      const double height = cell.frame().size.height;
      fillRect(cr, {{0, y}, {width, height}}, ViewPainter::colour(cell.backgroundColor(), {1, 1, 1, 1}));
      // A greyed row shows its setting has no effect now.
      const double alpha = cell.isUserInteractionEnabled() ? 1 : 0.45;
      paintRow(painter, cell, {{0, y}, {width, height}}, section.links[index], alpha);
      if (section.links[index]) drawChevron(cr, width - kRowInset - 6, y + height / 2);
      const bool last = index + 1 == section.cells.size();
      fillRect(cr, {{last ? 0 : kRowInset, y + height - 0.5}, {width, 0.5}}, kSeparator);
      y += height;
    }
    if (!section.footer.empty()) {
      const double height = footerHeight(section);
      drawText(cr, section.footer, sectionText, {{kRowInset, y + 7}, {textColumn, height - 14}});
      y += height;
    }
  }

  const CGRect barArea{{0, 0}, {width, kStatusBar + kBar}};
  fillRect(cr, barArea, ViewPainter::colour(bar.barTintColor(), {0.976, 0.976, 0.976, 1}));
  if (bar.shadowImage() == nullptr || bar.shadowImage()->size().height > 0)
    fillRect(cr, {{0, barArea.size.height - 0.5}, {width, 0.5}}, {0, 0, 0, 0.3});
  const Colour titleColour = ViewPainter::colour(bar.titleTextColor(), {0, 0, 0, 1});
  const CGRect titleArea{{80, kStatusBar}, {width - 160, kBar}};
  if (auto item = page.navigationItem()) {
    drawTitle(painter, *item, page.title(), titleArea, titleColour);
    if (auto button = item->rightBarButtonItem()) {
      TextStyle style{17, UIFontWeightRegular, ViewPainter::colour(bar.tintColor(), kSystemBlue),
                      NSTextAlignmentRight, 1};
      drawText(cr, button->title(), style, {{width - 96, kStatusBar}, {96 - kRowInset, kBar}});
    }
  }
  return picture;
}

}  // namespace lunadoze::sim
