#include "prefs/LDPrefsListController.h"

#include <algorithm>

#include "platform/foundation/NSBundle.h"
#include "platform/foundation/NSTask.h"
#include "platform/preferences/PSSpecifier.h"
#include "platform/runtime/Runtime.h"
#include "platform/settings/HBPreferences.h"
#include "platform/uikit/NSLayoutConstraint.h"
#include "platform/uikit/UIAlertAction.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIBarButtonItem.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIImageView.h"
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

constexpr const char* kIconPath = "/Library/PreferenceBundles/LunadozePrefs.bundle/icon_transparent.png";
constexpr const char* kHeaderPath = "/Library/PreferenceBundles/LunadozePrefs.bundle/header.png";
constexpr platform::runtime::Selector<void(id)> respringSelector{"respring:"};
constexpr platform::runtime::Selector<void(id)> resetSettingsSelector{"resetSettings:"};

// The runtime registers a bundle's classes when the bundle loads; the Settings app then finds the
// principal class by the name in the bundle's information list.
[[maybe_unused]] const bool registered = (LDPrefsListController::runtimeClass(), true);

}  // namespace

platform::runtime::Class* LDPrefsListController::runtimeClass() {
  using platform::runtime::class_addMethod;
  return platform::runtime::objc_registerClass(
      "LDPrefsListController", &HBRootListController::runtimeClass, [](platform::runtime::Class* cls) {
        registerControllerClass<LDPrefsListController>(cls);
        class_addMethod(cls, selectors::viewDidLoad, [](id self) {
          platform::runtime::sendSuper(LDPrefsListController::runtimeClass(), self, selectors::viewDidLoad);
          platform::runtime::downcast<LDPrefsListController>(self)->viewDidLoad();
        });
        class_addMethod(cls, selectors::viewWillAppear, [](id self, bool animated) {
          platform::runtime::sendSuper(LDPrefsListController::runtimeClass(), self, selectors::viewWillAppear,
                                       animated);
          platform::runtime::downcast<LDPrefsListController>(self)->viewWillAppear();
        });
        class_addMethod(cls, respringSelector, [](id self, id sender) {
          platform::runtime::downcast<LDPrefsListController>(self)->respring(sender);
        });
        class_addMethod(cls, resetSettingsSelector, [](id self, id sender) {
          platform::runtime::downcast<LDPrefsListController>(self)->resetSettings(sender);
        });
      });
}

void LDPrefsListController::init() {
  HBRootListController::init();
  hb_setAppearanceSettings(LDPrefsHelper::appearanceSettings());
  setupNavigationTitleView();
  setupNavigationRespringButton();
  preferences_ = platform::settings::HBPreferences::initWithIdentifier(kPreferencesIdentifier);
}

void LDPrefsListController::viewDidLoad() {
  setupHeaderView();
  table()->setKeyboardDismissMode(UIScrollViewKeyboardDismissModeOnDrag);
}

void LDPrefsListController::viewWillAppear() {
  LDPrefsHelper::colourNavigationBar(*this);
}

const LDPrefsListController::Specifiers& LDPrefsListController::specifiers() {
  if (!specifiers_) specifiers_ = loadSpecifiersFromPlistName("Prefs", this);
  return *specifiers_;
}

void LDPrefsListController::setupNavigationTitleView() {
  auto titleView = UIView::create();
  navigationItem()->setTitleView(titleView);

  titleLabel_ = LDPrefsHelper::makeTitleLabel();
  titleLabel_->setText("Lunadoze");
  titleView->addSubview(titleLabel_);

  iconView_ = UIImageView::create(CGRectMake(0, 0, 10, 10));
  iconView_->setContentMode(UIViewContentModeScaleAspectFit);
  iconView_->setImage(UIImage::imageWithContentsOfFile(kIconPath));
  iconView_->setAlpha(0.0);
  titleView->addSubview(iconView_);

  // Label and icon cover the same area; only their alphas decide which one shows.
  LDPrefsHelper::pinEdges(*titleLabel_, *titleView);
  LDPrefsHelper::pinEdges(*iconView_, *titleView);
}

void LDPrefsListController::setupNavigationRespringButton() {
  // Placed in the bar only once "enabled" changes, which takes effect at SpringBoard's next start.
  respringButton_ =
      UIBarButtonItem::initWithTitle("Respring", UIBarButtonItemStylePlain, this, respringSelector);
  respringButton_->setTintColor(UIColor::whiteColor());
}

void LDPrefsListController::respring(id) {
  auto task = platform::foundation::NSTask::create();
  task->setLaunchPath("/usr/bin/killall");
  task->setArguments({"backboardd"});
  task->launch();
}

void LDPrefsListController::resetSettings(id) {
  // The alert's texts sit in the page's strings table beside its rows.
  auto localized = [this](std::string_view text) {
    return bundle() ? bundle()->localizedStringForKey(text, text, "Prefs") : std::string(text);
  };
  auto alert = UIAlertController::alertControllerWithTitle(
      localized("Reset all settings"), localized("Every setting of Lunadoze goes back to its default."),
      UIAlertControllerStyleAlert);
  alert->addAction(UIAlertAction::actionWithTitle(localized("Cancel"), UIAlertActionStyleCancel, nullptr));
  std::weak_ptr<LDPrefsListController> page = retained<LDPrefsListController>();
  alert->addAction(UIAlertAction::actionWithTitle(localized("Reset"), UIAlertActionStyleDestructive,
                                                  [page](UIAlertAction*) {
                                                    if (auto self = page.lock()) self->removeAllSettings();
                                                  }));
  presentViewController(alert, true, nullptr);
}

void LDPrefsListController::removeAllSettings() {
  // The master switch takes effect at SpringBoard's next start: a reset that turns it back on
  // needs the Respring button as much as a change of its row does.
  auto enabled = (*preferences_)["enabled"];
  if (enabled && !enabled->boolValue().value_or(true))
    navigationItem()->setRightBarButtonItem(respringButton_);
  preferences_->removeAllObjects();
  // The store's notification is the one the rows post: SpringBoard reloads every default at once.
  preferences_->synchronize();
  enabledModes_ = OfferedModesBoth;
  // Fresh rows show the defaults, every one enabled, as on a page opened over an empty domain.
  reloadSpecifiers();
}

void LDPrefsListController::setupHeaderView() {
  headerView_ = UIView::create(CGRectMake(0, 0, 200, 200));
  headerImageView_ = UIImageView::create(CGRectMake(0, 0, 200, 200));
  headerImageView_->setContentMode(UIViewContentModeScaleAspectFill);
  headerImageView_->setImage(UIImage::imageWithContentsOfFile(kHeaderPath));
  headerView_->addSubview(headerImageView_);

  auto tie = [this](NSLayoutAttribute edge, CGFloat constant) {
    headerView_->addConstraint(NSLayoutConstraint::constraintWithItem(
        headerImageView_.get(), edge, NSLayoutRelationEqual, headerView_.get(), edge, 1, constant));
  };
  tie(NSLayoutAttributeTop, 40);
  tie(NSLayoutAttributeLeading, 10);
  tie(NSLayoutAttributeTrailing, -10);
  tie(NSLayoutAttributeBottom, -40);

  table()->setTableHeaderView(headerView_);
}

void LDPrefsListController::scrollViewDidScroll(UIScrollView* scrollView) {
  CGFloat y = scrollView->contentOffset().y;
  bool showsIcon = y > 70.0;
  UIView::animateWithDuration(0.2, [this, showsIcon] {
    iconView_->setAlpha(showsIcon ? 1.0 : 0.0);
    titleLabel_->setAlpha(showsIcon ? 0.0 : 1.0);
  });

  // Pulled down, the image grows upward with the list; above -20 it keeps its place.
  if (headerView_ == nullptr || headerImageView_ == nullptr) return;
  CGFloat m = std::min(y, -20.0);
  headerImageView_->setFrame(
      CGRectMake(10.0, m + 64.0 + 40.0, headerView_->frame().size.width - 20.0, 200.0 - m - 64.0 - 80.0));
}

CGFloat LDPrefsListController::tableViewHeightForHeaderInSection(UITableView*, int64_t section) {
  if (section == 0 || section == 9) return 0.0;
  if (section == 8) return 60.0;
  return 45.0;
}

std::optional<PropertyList> LDPrefsListController::readPreferenceValue(PSSpecifier* specifier) {
  if (auto stored = LDPrefsHelper::storedValue(*preferences_, *specifier)) {
    std::string key = *specifier->key();
    if (key == "enabledModes") enabledModes_ = stored->integerValue().value_or(OfferedModesBoth);
    enableDisableCellIfNeededForKey(key, *stored);
    return stored;
  }
  return specifier->propertyForKey("default");
}

void LDPrefsListController::setPreferenceValue(const PropertyList& value, PSSpecifier* specifier) {
  HBRootListController::setPreferenceValue(value, specifier);
  // A value that is not stored changes nothing else either: the row shows the stored one again.
  if (!LDPrefsHelper::store(*this, *preferences_, value, *specifier)) return;
  std::string key = specifier->key().value_or("");
  if (key == "enabledModes") {
    enabledModes_ = value.integerValue().value_or(OfferedModesBoth);
  } else if (key == "enabled") {
    navigationItem()->setRightBarButtonItem(respringButton_);
  }
  enableDisableCellIfNeededForKey(key, value);
}

void LDPrefsListController::enableDisableCellIfNeededForKey(const std::string& key,
                                                            const PropertyList& value) {
  if (key == "enabledModes") {
    int64_t mode = value.integerValue().value_or(OfferedModesBoth);
    bool timeModeOffered = mode == OfferedModesBoth || mode == OfferedModesTimeOnly;
    for (int64_t row = 2; row <= 7; ++row)
      setCellForRowAtIndexPath(NSIndexPath::indexPathForRow(row, 1), timeModeOffered);
    setCellForRowAtIndexPath(NSIndexPath::indexPathForRow(0, 3),
                             mode == OfferedModesBoth || mode == OfferedModesSongsOnly);
  } else if (key == "letTheSongFinishEnabled") {
    // The fade-out's length and its volume-up extension: no fade-out while the song is let finish.
    bool fadesOut = !value.boolValue().value_or(false) && enabledModes_ != OfferedModesSongsOnly;
    setCellForRowAtIndexPath(NSIndexPath::indexPathForRow(4, 1), fadesOut);
    setCellForRowAtIndexPath(NSIndexPath::indexPathForRow(7, 1), fadesOut);
  } else if (key == "showConfirmationViewAfterTimerSetEnabled") {
    bool showsConfirmation = value.boolValue().value_or(false);
    setCellForRowAtIndexPath(NSIndexPath::indexPathForRow(3, 3), showsConfirmation);
    setCellForRowAtIndexPath(NSIndexPath::indexPathForRow(4, 3), showsConfirmation);
  }
}

void LDPrefsListController::setCellForRowAtIndexPath(NSIndexPath indexPath, bool enabled) {
  LDPrefsHelper::setCellEnabled(tableViewCellForRowAtIndexPath(table().get(), indexPath).get(), enabled);
}

std::shared_ptr<UIColor> LDPrefsListController::getHeaderColorFromColor(const UIColor& color) const {
  return LDPrefsHelper::getHeaderColorFromColor(color);
}

}  // namespace lunadoze::prefs
