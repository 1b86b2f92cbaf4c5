#include "tweak/inspection/TweakViewsDescription.h"

#include "tweak/core/ViewGlobals.h"
#include "tweak/panel/CheckboxButton.h"
#include "tweak/panel/LunadozeImageButton.h"
#include "tweak/panel/LunadozeViewController.h"

using lunadoze::TweakViewsDescription;

extern "C" void LunadozeDescribeViews(TweakViewsDescription* description) {
  using namespace lunadoze;
  if (description == nullptr) return;
  *description = {};
  auto add = [description](std::string_view name, platform::uikit::UIControl* control) {
    if (control != nullptr) description->controls.push_back({name, control});
  };
  if (setTimerButton != nullptr) {
    description->sleepButton = setTimerButton.get();
    description->sleepButtonLabel = setTimerButton->textLabel().get();
    description->sleepButtonIcon = setTimerButton->iconImage().get();
    add("sleep", setTimerButton.get());
  }
  if (currentTimerButtonInNC != nullptr) {
    description->indicator = currentTimerButtonInNC.get();
    description->indicatorLabel = currentTimerButtonInNC->textLabel().get();
    description->indicatorIcon = currentTimerButtonInNC->iconImage().get();
  }
  if (lunadozeVC == nullptr) return;
  description->panel = lunadozeVC->view().get();
  if (const auto& page = lunadozeVC->chooseSnoozeTimeView()) {
    description->chooseTimePage = page.get();
    description->timePicker = page->timeSelectorPickerView().get();
    description->songsPicker = page->nbSongsPickerView().get();
    description->songsCaptionLabel = page->musicLabel().get();
    add("confirm", page->rightButton().get());
    add("back", page->leftButton().get());
    add("mode", page->topRightCornerButton().get());
    add("actions", page->topLeftCornerButton().get());
  }
  if (const auto& page = lunadozeVC->currentTimerView()) {
    description->currentTimerPage = page.get();
    description->timerLabel = page->timerLabel().get();
    description->currentTimerTitleLabel = page->titleLabel().get();
    description->unitLabel = page->subtitleLabel().get();
    add("back", page->backButton().get());
    add("cancel", page->cancelTimerButton().get());
    add("extend", page->extendButton().get());
  }
  if (const auto& page = lunadozeVC->onTimerEndsSettingsView()) {
    description->timerActionsPage = page.get();
    description->timerActionsShowStart = page->currentStateIsStart();
    add("actions-back", page->backButton().get());
    add("hourglass", page->toggleStartEndButton().get());
    add("airplane", page->planeModeButton().get());
    add("dnd", page->dndButton().get());
    add("bluetooth", page->bluetoothButton().get());
    add("custom-volume", page->customVolumeButton().get());
  }
}
