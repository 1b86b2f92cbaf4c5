#include "prefs/LDSubPrefsListController.h"

#include "platform/preferences/PSSpecifier.h"
#include "platform/runtime/Runtime.h"
#include "platform/settings/HBPreferences.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UITableView.h"
#include "prefs/LDPrefsHelper.h"
#include "tweak/core/PreferencesIdentifier.h"

namespace lunadoze::prefs {

using namespace platform::uikit;
using platform::foundation::PropertyList;
using platform::preferences::PSSpecifier;
using platform::runtime::id;

namespace {

// Registered when the bundle loads, so that a link row can name the class.
[[maybe_unused]] const bool registered = (LDSubPrefsListController::runtimeClass(), true);

}  // namespace

platform::runtime::Class* LDSubPrefsListController::runtimeClass() {
  using platform::runtime::class_addMethod;
  return platform::runtime::objc_registerClass(
      "LDSubPrefsListController", &HBRootListController::runtimeClass, [](platform::runtime::Class* cls) {
        registerControllerClass<LDSubPrefsListController>(cls);
        class_addMethod(cls, selectors::viewDidLoad, [](id self) {
          platform::runtime::sendSuper(LDSubPrefsListController::runtimeClass(), self,
                                       selectors::viewDidLoad);
          platform::runtime::downcast<LDSubPrefsListController>(self)->viewDidLoad();
        });
        class_addMethod(cls, selectors::viewWillAppear, [](id self, bool animated) {
          platform::runtime::sendSuper(LDSubPrefsListController::runtimeClass(), self,
                                       selectors::viewWillAppear, animated);
          platform::runtime::downcast<LDSubPrefsListController>(self)->viewWillAppear();
        });
      });
}

void LDSubPrefsListController::init() {
  HBRootListController::init();
  hb_setAppearanceSettings(LDPrefsHelper::appearanceSettings());
  setupNavigationTitleView();
  preferences_ = platform::settings::HBPreferences::initWithIdentifier(kPreferencesIdentifier);
}

void LDSubPrefsListController::viewDidLoad() {
  table()->setKeyboardDismissMode(UIScrollViewKeyboardDismissModeOnDrag);
}

void LDSubPrefsListController::viewWillAppear() {
  LDPrefsHelper::colourNavigationBar(*this);
}

void LDSubPrefsListController::setupNavigationTitleView() {
  auto titleView = UIView::create();
  navigationItem()->setTitleView(titleView);
  titleLabel_ = LDPrefsHelper::makeTitleLabel();
  titleView->addSubview(titleLabel_);
  LDPrefsHelper::pinEdges(*titleLabel_, *titleView);
}

void LDSubPrefsListController::setSpecifier(std::shared_ptr<PSSpecifier> specifier) {
  // The page's list is in place before the framework looks at the new specifier.
  loadFromSpecifier(specifier);
  HBRootListController::setSpecifier(std::move(specifier));
}

void LDSubPrefsListController::reloadSpecifiers() {
  loadFromSpecifier(specifier());
}

void LDSubPrefsListController::loadFromSpecifier(const std::shared_ptr<PSSpecifier>& specifier) {
  auto name = specifier ? specifier->propertyForKey("LDSubPrefs") : std::nullopt;
  if (name && name->string()) specifiers_ = loadSpecifiersFromPlistName(*name->string(), this);
  std::string title = specifier ? specifier->name() : "";
  setTitle(title);
  navigationItem()->setTitle(title);
  titleLabel_->setText(title);
}

CGFloat LDSubPrefsListController::tableViewHeightForHeaderInSection(UITableView*, int64_t section) {
  return section == 0 || section == 1 ? 60.0 : 45.0;
}

std::optional<PropertyList> LDSubPrefsListController::readPreferenceValue(PSSpecifier* specifier) {
  if (auto stored = LDPrefsHelper::storedValue(*preferences_, *specifier)) {
    enableDisableCellIfNeededForKey(*specifier->key(), *stored);
    return stored;
  }
  return specifier->propertyForKey("default");
}

void LDSubPrefsListController::setPreferenceValue(const PropertyList& value, PSSpecifier* specifier) {
  HBRootListController::setPreferenceValue(value, specifier);
  // A value that is not stored greys nothing: the row shows the stored one again.
  if (!LDPrefsHelper::store(*this, *preferences_, value, *specifier)) return;
  enableDisableCellIfNeededForKey(specifier->key().value_or(""), value);
}

void LDSubPrefsListController::enableDisableCellIfNeededForKey(const std::string& key,
                                                               const PropertyList& value) {
  if (key == "onTimerStartsCustomVolume") {
    setCellForRowAtIndexPath(NSIndexPath::indexPathForRow(1, 3), value.boolValue().value_or(false));
  } else if (key == "onTimerEndsBluetooth") {
    bool on = value.boolValue().value_or(false);
    setCellForRowAtIndexPath(NSIndexPath::indexPathForRow(1, 3), on);
    setCellForRowAtIndexPath(NSIndexPath::indexPathForRow(2, 3), on);
  } else if (key == "bedtimeEnabled") {
    bool on = value.boolValue().value_or(false);
    setCellForRowAtIndexPath(NSIndexPath::indexPathForRow(0, 1), on);
    setCellForRowAtIndexPath(NSIndexPath::indexPathForRow(1, 1), on);
    setCellForRowAtIndexPath(NSIndexPath::indexPathForRow(0, 2), on);
  } else if (key == "onTimerEndsBluetoothMode") {
    // Only "disconnect the named device" needs the name.
    setCellForRowAtIndexPath(NSIndexPath::indexPathForRow(2, 3), value.integerValue().value_or(0) == 1);
  }
}

void LDSubPrefsListController::setCellForRowAtIndexPath(NSIndexPath indexPath, bool enabled) {
  LDPrefsHelper::setCellEnabled(tableViewCellForRowAtIndexPath(table().get(), indexPath).get(), enabled);
}

std::shared_ptr<UIColor> LDSubPrefsListController::getHeaderColorFromColor(const UIColor& color) const {
  return LDPrefsHelper::getHeaderColorFromColor(color);
}

}  // namespace lunadoze::prefs
