#include "tweak/mediacontrols/LockScreenIndicatorHooks.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "platform/foundation/PropertyList.h"
#include "platform/runtime/Runtime.h"
#include "platform/springboard/MediaControlsTransportButton.h"
#include "platform/springboard/MediaControlsTransportStackView.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UILabel.h"
#include "tweak/core/LunadozeSelectors.h"
#include "tweak/core/OriginalImplementations.h"
#include "tweak/core/Settings.h"
#include "tweak/core/ViewGlobals.h"
#include "tweak/engine/SnoozeState.h"
#include "tweak/panel/LunadozeImageButton.h"
#include "tweak/support/BundleHelper.h"
#include "tweak/support/LocalizationHelper.h"
#include "tweak/support/WatchedFile.h"

namespace lunadoze {
namespace {

using platform::foundation::PropertyList;
using platform::springboard::MediaControlsTransportStackView;
using platform::uikit::CGFloat;
using platform::uikit::CGRect;
using platform::uikit::CGRectMake;

constexpr CGFloat kIndicatorFontSize = 13;
constexpr CGFloat kIndicatorContentAlpha = 0.85;
constexpr CGFloat kIndicatorHeight = 40;
constexpr CGFloat kSylphIndicatorHeight = 20;
// The ordinary indicator overlaps the stack view's bottom by this much.
constexpr CGFloat kIndicatorOverlap = 15;
// Grupi's small controller ends higher; the indicator follows it down by this much.
constexpr CGFloat kGrupiSmallControllerShift = 22;

constexpr const char* kSylphInstallationRecord = "/var/lib/dpkg/info/ch.quenfel.sylph.list";
constexpr const char* kSylphPreferences = "/var/mobile/Library/Preferences/ch.quenfel.sylph.plist";
constexpr const char* kGrupiInstallationRecordFormat = "/var/lib/dpkg/info/%@.list";
constexpr std::array kGrupiIdentifiers = {"com.tobrin.grupi", "com.vashel.grupi", "ru.kestrap.grupi",
                                          "com.morvidex.grupi"};
constexpr const char* kGrupiPreferences = "/var/mobile/Library/Preferences/com.tobrin.grupi.plist";

bool snoozeIsRunning() {
  return timeSnoozeIsRunning || songsSnoozeIsRunning;
}

bool indicatorIsHidden() {
  return !snoozeIsRunning() || !showIndicatorOnNC;
}

// A key's value read as a boolean; nullopt when the dictionary holds no value for it.
std::optional<bool> boolValue(const PropertyList::Dictionary& dictionary, const char* key) {
  auto found = dictionary.find(key);
  if (found == dictionary.end()) return std::nullopt;
  // A value that has no boolean reading (an array, say) reads as NO.
  return found->second.boolValue().value_or(false);
}

enum class Placement { Ordinary, Sylph, Grupi };

// The two outside tweaks' installation records and settings files. Either tweak can be installed,
// removed or reconfigured at any time; each file is kept as last read until a watch hears it change.
struct OutsideTweakFiles {
  OutsideTweakFiles() {
    for (const char* identifier : kGrupiIdentifiers) {
      grupiRecords.emplace_back(std::make_unique<WatchedFile>(
          LocalizationHelper::stringWithFormat(kGrupiInstallationRecordFormat, identifier)));
    }
  }

  WatchedFile sylphRecord{kSylphInstallationRecord};
  WatchedFile sylphSettings{kSylphPreferences};
  std::vector<std::unique_ptr<WatchedFile>> grupiRecords;
  WatchedFile grupiSettings{kGrupiPreferences};
};

// Made at the first lock-screen pass; gone with the process state.
std::unique_ptr<OutsideTweakFiles> outsideTweakFiles;

Placement placementForOutsideTweaks() {
  if (outsideTweakFiles == nullptr) outsideTweakFiles = std::make_unique<OutsideTweakFiles>();
  OutsideTweakFiles& files = *outsideTweakFiles;
  if (files.sylphRecord.exists()) {
    const auto& settings = files.sylphSettings.dictionary();
    // Sylph is on unless its settings say otherwise.
    if (!settings || boolValue(*settings, "enabled").value_or(true)) return Placement::Sylph;
  }
  const bool grupiInstalled =
      std::ranges::any_of(files.grupiRecords, [](const auto& record) { return record->exists(); });
  if (!grupiInstalled) return Placement::Ordinary;
  const auto& settings = files.grupiSettings.dictionary();
  if (settings && boolValue(*settings, "Enabled").value_or(true) &&
      boolValue(*settings, "SmallMusicController").value_or(false)) {
    return Placement::Grupi;
  }
  return Placement::Ordinary;
}

}  // namespace

void MediaControlsTransportStackView_setupTimerButtonInNC(id self) {
  auto* view = platform::runtime::downcast<MediaControlsTransportStackView>(self);
  auto parent = view->superview();
  if (currentTimerButtonInNC == nullptr) {
    currentTimerButtonInNC =
        LunadozeImageButton::create(BundleHelper::getImageWithName("sleepIcon"),
                                    platform::uikit::UIFont::systemFontOfSize(kIndicatorFontSize));
    if (auto content = currentTimerButtonInNC->contentView()) content->setAlpha(kIndicatorContentAlpha);
    currentTimerButtonInNC->setUserInteractionEnabled(false);
    if (parent != nullptr) parent->addSubview(currentTimerButtonInNC);
  }
  // The indicator stays with the platter that made it.
  if (parent == nullptr || currentTimerButtonInNC->superview() != parent) return;

  currentTimerButtonInNC->setTintColor(view->middleButton()->tintColor());
  currentTimerButtonInNC->setHidden(indicatorIsHidden());

  const CGRect stack = view->frame();
  const CGFloat bottom = stack.origin.y + stack.size.height;
  const CGFloat parentWidth = parent->frame().size.width;
  switch (placementForOutsideTweaks()) {
    case Placement::Sylph:
      currentTimerButtonInNC->setFrame(
          CGRectMake(stack.origin.x, bottom, stack.size.width, kSylphIndicatorHeight));
      break;
    case Placement::Grupi:
      currentTimerButtonInNC->setFrame(CGRectMake(0, bottom - kIndicatorOverlap + kGrupiSmallControllerShift,
                                                  parentWidth, kIndicatorHeight));
      break;
    case Placement::Ordinary:
      currentTimerButtonInNC->setFrame(
          CGRectMake(0, bottom - kIndicatorOverlap, parentWidth, kIndicatorHeight));
      break;
  }
  // An indicator reaching below the platter must stay visible.
  if (auto platter = parent->superview()) platter->setClipsToBounds(false);
  if (songsSnoozeIsRunning) platform::runtime::send(self, selectors::updateButtonTextWithRemainingNbSongs);
  currentTimerButtonInNC->setIconHidden(hideMoonIconInNC);
}

void resetOutsideTweakFiles() {
  outsideTweakFiles.reset();
}

void MediaControlsTransportStackView_setCurrentTimerButtonInNCText(id, const std::string& text) {
  if (currentTimerButtonInNC == nullptr) return;
  currentTimerButtonInNC->setHidden(indicatorIsHidden());
  if (!snoozeIsRunning()) return;
  if (auto label = currentTimerButtonInNC->textLabel()) label->setText(text);
}

namespace {

void lockScreenControlsWillAppear() {
  ncMediaModuleIsShowed = true;
  if (timeSnoozeIsRunning) startRemainingTimeLabelsTimer();
}

void lockScreenControlsDidDisappear() {
  ncMediaModuleIsShowed = false;
  // The open Control Center module still shows the remaining time; its collapse stops the timer.
  if (!ccMediaModuleIsExpanded) stopRemainingTimeLabelsTimer();
}

}  // namespace

void SBDashBoardMediaControlsViewController_viewWillAppear(id self, bool animated) {
  original::SBDashBoardMediaControlsViewController_viewWillAppear(self, animated);
  lockScreenControlsWillAppear();
}

void SBDashBoardMediaControlsViewController_viewDidDisappear(id self, bool animated) {
  original::SBDashBoardMediaControlsViewController_viewDidDisappear(self, animated);
  lockScreenControlsDidDisappear();
}

void CSMediaControlsViewController_viewWillAppear(id self, bool animated) {
  original::CSMediaControlsViewController_viewWillAppear(self, animated);
  lockScreenControlsWillAppear();
}

void CSMediaControlsViewController_viewDidDisappear(id self, bool animated) {
  original::CSMediaControlsViewController_viewDidDisappear(self, animated);
  lockScreenControlsDidDisappear();
}

}  // namespace lunadoze
