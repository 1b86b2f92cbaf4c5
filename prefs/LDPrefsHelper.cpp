#include "prefs/LDPrefsHelper.h"

#include "platform/foundation/CFNotificationCenter.h"
#include "platform/foundation/NSString.h"
#include "platform/preferences/HBAppearanceSettings.h"
#include "platform/preferences/PSControlTableCell.h"
#include "platform/preferences/PSEditableTableCell.h"
#include "platform/preferences/PSListController.h"
#include "platform/preferences/PSSliderTableCell.h"
#include "platform/preferences/PSSpecifier.h"
#include "platform/settings/HBPreferences.h"
#include "platform/uikit/NSLayoutConstraint.h"
#include "platform/uikit/UIAlertAction.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UINavigationBar.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UITableViewCell.h"

namespace lunadoze::prefs {

using namespace platform::uikit;
using platform::foundation::PropertyList;
using platform::preferences::PSSpecifier;

std::shared_ptr<UIColor> LDPrefsHelper::themeColor() {
  return UIColor::colorWithRed(0.188, 0.286, 0.357, 1.0);
}

std::shared_ptr<UIColor> LDPrefsHelper::getHeaderColorFromColor(const UIColor& color) {
  auto white = UIColor::whiteColor();
  auto under = [](CGFloat c, CGFloat w) { return (c - w + w * 0.85) / 0.85; };
  return UIColor::colorWithRed(under(color.red(), white->red()), under(color.green(), white->green()),
                               under(color.blue(), white->blue()), 1.0);
}

std::shared_ptr<platform::preferences::HBAppearanceSettings> LDPrefsHelper::appearanceSettings() {
  auto settings = std::make_shared<platform::preferences::HBAppearanceSettings>();
  settings->setTableViewCellSeparatorColor(UIColor::colorWithWhite(0.0, 0.0));
  settings->setNavigationBarBackgroundColor(getHeaderColorFromColor(*themeColor()));
  settings->setTintColor(themeColor());
  settings->setStatusBarTintColor(UIColor::whiteColor());
  settings->setNavigationBarTintColor(UIColor::whiteColor());
  settings->setNavigationBarTitleColor(UIColor::whiteColor());
  return settings;
}

std::shared_ptr<UILabel> LDPrefsHelper::makeTitleLabel() {
  auto label = UILabel::create(CGRectMake(0, 0, 10, 10));
  label->setFont(UIFont::boldSystemFontOfSize(17));
  label->setTextColor(UIColor::whiteColor());
  label->setTextAlignment(NSTextAlignmentCenter);
  return label;
}

void LDPrefsHelper::pinEdges(UIView& view, UIView& container) {
  for (auto edge :
       {NSLayoutAttributeTop, NSLayoutAttributeLeading, NSLayoutAttributeTrailing, NSLayoutAttributeBottom}) {
    container.addConstraint(
        NSLayoutConstraint::constraintWithItem(&view, edge, NSLayoutRelationEqual, &container, edge, 1, 0));
  }
}

void LDPrefsHelper::colourNavigationBar(UIViewController& page) {
  // The page sits in the Settings app's inner navigation controller; the bar people see belongs
  // to the outer one. Without it there is nothing to colour.
  auto inner = page.navigationController();
  auto outer = inner ? inner->navigationController() : nullptr;
  if (outer == nullptr) return;
  const auto& bar = outer->navigationBar();
  bar->setBarTintColor(getHeaderColorFromColor(*themeColor()));
  bar->setShadowImage(std::make_shared<UIImage>(CGSizeZero, UIImageRenderingMode::Automatic));
  bar->setTintColor(UIColor::whiteColor());
  bar->setPrefersLargeTitles(false);
}

void LDPrefsHelper::setCellEnabled(UITableViewCell* cell, bool enabled) {
  if (cell == nullptr) return;
  cell->setUserInteractionEnabled(enabled);
  cell->textLabel()->setEnabled(enabled);
  cell->detailTextLabel()->setEnabled(enabled);
  auto* controlCell = dynamic_cast<platform::preferences::PSControlTableCell*>(cell);
  if (controlCell != nullptr && controlCell->control() != nullptr) {
    controlCell->control()->setEnabled(enabled);
  } else if (auto* editable = dynamic_cast<platform::preferences::PSEditableTableCell*>(cell)) {
    editable->textField()->setAlpha(enabled ? 1.0 : 0.4);
  }
}

std::optional<std::string> LDPrefsHelper::keyOf(const PSSpecifier& specifier) {
  auto key = specifier.propertyForKey("key");
  if (!key || !key->string()) return std::nullopt;
  return *key->string();
}

std::optional<PropertyList> LDPrefsHelper::storedValue(const platform::settings::HBPreferences& preferences,
                                                       const PSSpecifier& specifier) {
  auto key = keyOf(specifier);
  auto stored = key ? preferences.objectForKey(*key) : std::nullopt;
  if (!stored || specifier.cellType() != platform::preferences::PSSliderCell) return stored;
  auto number = platform::preferences::PSSliderTableCell::rangeForSpecifier(specifier).read(*stored);
  return number ? std::optional<PropertyList>(*number) : std::nullopt;
}

bool LDPrefsHelper::store(platform::preferences::PSListController& page,
                          platform::settings::HBPreferences& preferences, const PropertyList& value,
                          PSSpecifier& specifier) {
  auto refuse = [&](const std::string& title, const std::string& reason) {
    auto alert = UIAlertController::alertControllerWithTitle(
        title, "“" + specifier.name() + "” " + reason + " It keeps its previous value.",
        UIAlertControllerStyleAlert);
    alert->addAction(UIAlertAction::actionWithTitle("OK", UIAlertActionStyleDefault, nullptr));
    page.presentViewController(alert, true, nullptr);
    page.reloadSpecifier(specifier);
    return false;
  };
  // Text that is no UTF-8 would leave a settings file that strict readers reject.
  if (value.string() && !platform::foundation::isValidUTF8(*value.string()))
    return refuse("Text Not Saved", "contains bytes that are not valid text.");
  if (auto key = keyOf(specifier)) {
    preferences.setObject(value, *key);
    if (!preferences.synchronize())
      return refuse("Setting Not Saved", "could not be written to the device’s storage.");
  }
  // Posted after synchronize, so whoever reacts reads the new value.
  auto notification = specifier.propertyForKey("PostNotification");
  if (notification && notification->string() && !notification->string()->empty()) {
    auto center = platform::foundation::CFNotificationCenterGetDarwinNotifyCenter();
    platform::foundation::CFNotificationCenterPostNotification(center, *notification->string());
  }
  return true;
}

}  // namespace lunadoze::prefs
