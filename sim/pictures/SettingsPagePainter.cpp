#include "sim/pictures/SettingsPagePainter.h"

#include <algorithm>
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
constexpr double kSectionGap = 35;
constexpr double kRowInset = 16;
constexpr double kMinimumHeight = 568;
constexpr Colour kGroupedBackground{0.949, 0.949, 0.969, 1};
constexpr Colour kSeparator{0.776, 0.776, 0.784, 1};
constexpr Colour kSystemBlue{0, 0.478, 1, 1};

struct Row {
  std::shared_ptr<UITableViewCell> cell;
  bool link;
  bool startsSection;
};

std::vector<Row> rowsOf(PSListController& page) {
  std::vector<Row> rows;
  auto table = page.table();
  for (int64_t section = 0; section < table->numberOfSections(); ++section) {
    for (int64_t row = 0; row < table->numberOfRowsInSection(section); ++row) {
      auto indexPath = NSIndexPath::indexPathForRow(row, section);
      auto specifier = page.specifierAtIndexPath(indexPath);
      rows.push_back({page.tableViewCellForRowAtIndexPath(table.get(), indexPath),
                      specifier && specifier->cellType() == platform::preferences::PSLinkCell, row == 0});
    }
  }
  return rows;
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

// A row's control sits at its trailing edge: a switch at its own size, segments in most of it, others in its
// last two fifths.
void paintAccessory(ViewPainter& painter, const UITableViewCell& cell, double y, double alpha) {
  const auto& accessory = cell.accessoryView();
  if (accessory == nullptr || accessory->frame().size.width > 0) return;
  const CGSize row = cell.frame().size;
  CGSize size{row.width * 0.4, 31};
  if (dynamic_cast<const UISwitch*>(accessory.get()) != nullptr) size = {51, 31};
  if (dynamic_cast<const UISegmentedControl*>(accessory.get()) != nullptr) size = {row.width * 0.62, 31};
  painter.paint(*accessory, {row.width - kRowInset - size.width, y + (row.height - size.height) / 2}, alpha,
                size);
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
  auto rows = rowsOf(page);
  auto table = page.table();
  const auto& header = table->tableHeaderView();
  double contentHeight = kStatusBar + kBar + (header ? header->frame().size.height : 0);
  for (const auto& row : rows)
    contentHeight += row.cell->frame().size.height + (row.startsSection ? kSectionGap : 0);
  auto picture = std::make_unique<Picture>(kWidth, std::max(kMinimumHeight, contentHeight + kSectionGap));
  cairo_t* cr = picture->context();
  ViewPainter painter(cr);
  fillRect(cr, {{0, 0}, {kWidth, picture->pixelHeight() / Picture::kScale}}, kGroupedBackground);

  // The table scrolls under the bar: the bar is drawn last, over it.
  double y = kStatusBar + kBar - table->contentOffset().y;
  if (header != nullptr) {
    painter.paint(*header, {(kWidth - header->frame().size.width) / 2, y});
    y += header->frame().size.height;
  }
  for (size_t index = 0; index < rows.size(); ++index) {
    auto& cell = *rows[index].cell;
    if (rows[index].startsSection) y += kSectionGap;
    const double height = cell.frame().size.height;
    fillRect(cr, {{0, y}, {kWidth, height}}, ViewPainter::colour(cell.backgroundColor(), {1, 1, 1, 1}));
    // A greyed row shows its setting has no effect now.
    const double alpha = cell.isUserInteractionEnabled() ? 1 : 0.45;
    painter.paint(cell, {0, y}, alpha);
    paintAccessory(painter, cell, y, alpha);
    if (rows[index].link) drawChevron(cr, kWidth - kRowInset - 6, y + height / 2);
    const bool lastOfSection = index + 1 == rows.size() || rows[index + 1].startsSection;
    fillRect(cr, {{lastOfSection ? 0 : kRowInset, y + height - 0.5}, {kWidth, 0.5}}, kSeparator);
    y += height;
  }

  const CGRect barArea{{0, 0}, {kWidth, kStatusBar + kBar}};
  fillRect(cr, barArea, ViewPainter::colour(bar.barTintColor(), {0.976, 0.976, 0.976, 1}));
  if (bar.shadowImage() == nullptr || bar.shadowImage()->size().height > 0)
    fillRect(cr, {{0, barArea.size.height - 0.5}, {kWidth, 0.5}}, {0, 0, 0, 0.3});
  const Colour titleColour = ViewPainter::colour(bar.titleTextColor(), {0, 0, 0, 1});
  const CGRect titleArea{{80, kStatusBar}, {kWidth - 160, kBar}};
  if (auto item = page.navigationItem()) {
    drawTitle(painter, *item, page.title(), titleArea, titleColour);
    if (auto button = item->rightBarButtonItem()) {
      TextStyle style{17, UIFontWeightRegular, ViewPainter::colour(bar.tintColor(), kSystemBlue),
                      NSTextAlignmentRight, 1};
      drawText(cr, button->title(), style, {{kWidth - 96, kStatusBar}, {96 - kRowInset, kBar}});
    }
  }
  return picture;
}

}  // namespace lunadoze::sim
