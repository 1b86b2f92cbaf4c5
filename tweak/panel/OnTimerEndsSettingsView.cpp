#include "tweak/panel/OnTimerEndsSettingsView.h"

#include <numbers>

#include "platform/runtime/Runtime.h"
#include "platform/settings/HBPreferences.h"
#include "platform/uikit/UINib.h"
#include "tweak/core/Settings.h"
#include "tweak/support/BundleHelper.h"
#include "tweak/support/HapticFeedbackHelper.h"

namespace lunadoze {

using platform::runtime::id;
using platform::settings::HBPreferences;
using platform::uikit::UIControlStateNormal;

namespace {

constexpr platform::runtime::Selector<void(id)> toggleStateButtonClickedSelector{"toggleStateButtonClicked:"};

}  // namespace

platform::runtime::Class* OnTimerEndsSettingsView::runtimeClass() {
  return platform::runtime::objc_registerClass(
      "OnTimerEndsSettingsView", &UIView::runtimeClass, [](platform::runtime::Class* cls) {
        platform::runtime::class_addMethod(cls, toggleStateButtonClickedSelector, [](id self, id sender) {
          platform::runtime::downcast<OnTimerEndsSettingsView>(self)->toggleStateButtonClicked(
              dynamic_cast<UIView*>(sender));
        });
      });
}

std::shared_ptr<OnTimerEndsSettingsView> OnTimerEndsSettingsView::create() {
  platform::uikit::UINib::registerClass<OnTimerEndsSettingsView>();
  platform::uikit::UINib::registerClass<CheckboxButton>();
  auto bundle = BundleHelper::getBundle();
  if (bundle == nullptr) return nullptr;
  // The file's top-level view takes the place of the receiver, which only owns the loading.
  auto receiver = OnTimerEndsSettingsView::alloc();
  auto objects = platform::uikit::UINib::loadNibNamed(*bundle, receiver->isa()->name(), receiver.get());
  auto view = objects.empty() ? nullptr : std::dynamic_pointer_cast<OnTimerEndsSettingsView>(objects.front());
  if (view != nullptr) view->setup();
  return view;
}

void OnTimerEndsSettingsView::setup() {
  const std::pair<std::shared_ptr<platform::uikit::UIButton>, const char*> icons[] = {
      {planeModeButton(), "airplaneIcon"},
      {bluetoothButton(), "bluetoothIcon"},
      {dndButton(), "dndIcon"},
      {customVolumeButton(), "customVolumeIcon"},
      {backButton(), "backIcon"},
      {toggleStartEndButton(), "hourglassStartIcon"},
  };
  for (const auto& [button, name] : icons) {
    if (button != nullptr) button->setImage(BundleHelper::getImageWithName(name), UIControlStateNormal);
  }
  restoreSettings();
  setCurrentStateIsStart(false);
}

void OnTimerEndsSettingsView::toggleStateButtonClicked(UIView* sender) {
  setCurrentStateIsStart(!currentStateIsStart_);
  if (sender != nullptr) {
    // The hourglass turns over with every switch.
    UIView::animateWithDuration(kHourglassFlipDuration, [sender] {
      sender->setTransform(platform::uikit::CGAffineTransformRotate(sender->transform(), std::numbers::pi));
    });
  }
  HapticFeedbackHelper::sendImpact();
}

void OnTimerEndsSettingsView::setCurrentStateIsStart(bool currentStateIsStart) {
  // Stored under the keys of the set being left, before the page shows the other one.
  saveSettingsToPrefsPlist();
  currentStateIsStart_ = currentStateIsStart;
  if (auto button = bluetoothButton()) button->setHidden(currentStateIsStart);
  if (auto button = customVolumeButton()) button->setHidden(!currentStateIsStart);
  if (auto title = titleLabel()) {
    title->setText(
        BundleHelper::getLocalizedStringFor(currentStateIsStart ? "ON_TIMER_START" : "ON_TIMER_END"));
  }
  restoreSettings();
}

std::array<std::pair<std::shared_ptr<CheckboxButton>, const char*>, 3>
OnTimerEndsSettingsView::visibleCheckboxes() const {
  if (currentStateIsStart_) {
    return {{{planeModeButton(), "onTimerStartsAirplane"},
             {dndButton(), "onTimerStartsDND"},
             {customVolumeButton(), "onTimerStartsCustomVolume"}}};
  }
  return {{{planeModeButton(), "onTimerEndsAirplane"},
           {dndButton(), "onTimerEndsDND"},
           {bluetoothButton(), "onTimerEndsBluetooth"}}};
}

void OnTimerEndsSettingsView::restoreSettings() {
  // An object of its own with no defaults registered: an absent key reads as NO.
  auto store = HBPreferences::initWithIdentifier(kPreferencesIdentifier);
  const auto checkboxes = visibleCheckboxes();
  for (size_t i = 0; i < checkboxes.size(); ++i) {
    const auto& [checkbox, key] = checkboxes[i];
    restoredStates_[i] = store->boolForKey(key);
    if (checkbox != nullptr) checkbox->check(restoredStates_[i]);
  }
}

bool OnTimerEndsSettingsView::saveSettingsToPrefsPlist() {
  auto store = HBPreferences::initWithIdentifier(kPreferencesIdentifier);
  const auto checkboxes = visibleCheckboxes();
  bool changed = false;
  for (size_t i = 0; i < checkboxes.size(); ++i) {
    const auto& [checkbox, key] = checkboxes[i];
    if (checkbox == nullptr || checkbox->isChecked() == restoredStates_[i]) continue;
    store->setBool(checkbox->isChecked(), key);
    restoredStates_[i] = checkbox->isChecked();
    changed = true;
  }
  if (!changed) return true;
  // Announces the change, so that the tweak's own settings object reloads and runs its block.
  if (store->synchronize()) return true;
  restoreSettings();
  return false;
}

bool OnTimerEndsSettingsView::setValueForOutlet(std::string_view name,
                                                const std::shared_ptr<platform::runtime::NSObject>& object) {
  if (name == "titleLabel") return connectOutlet(titleLabel_, object);
  if (name == "backButton") return connectOutlet(backButton_, object);
  if (name == "toggleStartEndButton") return connectOutlet(toggleStartEndButton_, object);
  if (name == "planeModeButton") return connectOutlet(planeModeButton_, object);
  if (name == "dndButton") return connectOutlet(dndButton_, object);
  if (name == "bluetoothButton") return connectOutlet(bluetoothButton_, object);
  if (name == "customVolumeButton") return connectOutlet(customVolumeButton_, object);
  return UIView::setValueForOutlet(name, object);
}

}  // namespace lunadoze
