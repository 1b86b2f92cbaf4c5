#include "tweak/engine/TimerLifecycleHooks.h"

#include "platform/foundation/Dispatch.h"
#include "platform/foundation/PerformSelector.h"
#include "platform/runtime/Runtime.h"
#include "platform/springboard/MediaControlsTransportStackView.h"
#include "platform/springboard/MediaRemote.h"
#include "tweak/core/LunadozeSelectors.h"
#include "tweak/core/OriginalImplementations.h"
#include "tweak/core/Settings.h"
#include "tweak/core/ViewGlobals.h"
#include "tweak/engine/BedtimeTimer.h"
#include "tweak/engine/SnoozeState.h"
#include "tweak/engine/SpecialTasksHelper.h"
#include "tweak/panel/LunadozeViewController.h"
#include "tweak/support/BundleHelper.h"

namespace lunadoze {

using platform::foundation::PropertyList;
using platform::runtime::send;

namespace {

// The title of the now-playing item, or null when the information has none.
const std::string* nowPlayingTitle(const PropertyList::Dictionary* info) {
  if (info == nullptr) return nullptr;
  auto found = info->find(platform::springboard::kMRMediaRemoteNowPlayingInfoTitle);
  return found != info->end() ? found->second.string() : nullptr;
}

}  // namespace

void showTimerConfirmation() {
  if (lunadozeVC == nullptr) return;
  lunadozeVC->transitionBetweenChooseTimeAndCurrentTimerViewFromChooseTime(true);
  if (auto currentTimerView = lunadozeVC->currentTimerView()) currentTimerView->hideBottomButtons(true);
  platform::foundation::performSelectorAfterDelay(
      lunadozeVC, LunadozeViewController::dismissCurrentViewSelector, nullptr, confirmViewAutoDismissTime);
}

void MediaControlsTransportStackView_validateButtonClicked(id self) {
  send(mediaController().get(), selectors::cancelTimer);

  ChooseSnoozeTimeView* chooseView =
      lunadozeVC != nullptr ? lunadozeVC->chooseSnoozeTimeView().get() : nullptr;
  const SnoozeMode mode = lunadozeVC != nullptr ? lunadozeVC->selectedMode() : SnoozeModeTime;
  if (mode == SnoozeModeTime) {
    const double countDownDuration =
        chooseView != nullptr ? chooseView->timeSelectorPickerView()->countDownDuration() : 0;
    startTimeSnoozeWithInterval(countDownDuration + 1.0);
  } else if (mode == SnoozeModeSongs) {
    songsSnoozeIsRunning = true;
    nbSongsToPlayBeforeStop = chooseView != nullptr ? chooseView->nbSongsSelected() : 0;
    nbSongsPlayed = 0;
    send(self, selectors::updateButtonTextWithRemainingNbSongs);
  }

  if (showConfirmationViewAfterTimerSetEnabled) {
    // After the start actions below, as the rest of this event.
    platform::foundation::dispatch_async_main(showTimerConfirmation);
  } else if (lunadozeVC != nullptr) {
    lunadozeVC->dismissCurrentView();
  }
  SpecialTasksHelper::getInstance()->performSpecialActionsOnTimerStart();
}

void SBMediaController_setNowPlayingInfo(id self, const PropertyList::Dictionary* info) {
  original::SBMediaController_setNowPlayingInfo(self, info);
  startBedtimeSnoozeIfPlaybackStarted(info);
  if (info == nullptr) return;
  platform::springboard::MRMediaRemoteGetNowPlayingInfo(
      [controller = self->retained()](const PropertyList::Dictionary* nowPlaying) {
        const std::string* title = nowPlayingTitle(nowPlaying);
        if (title == nullptr || *title == lastSongTitleName) return;
        lastSongTitleName = *title;
        ++nbSongsPlayed;

        // The running snooze's own state decides, not the panel's mode or the setting as they are
        // now: either may have changed since the start, and the music would then play on.
        if (songsSnoozeIsRunning) {
          if (nbSongsPlayed >= nbSongsToPlayBeforeStop) {
            send(controller.get(), selectors::stopSnooze);
          } else {
            send(lastMediaControlsTransportStackView.get(), selectors::updateButtonTextWithRemainingNbSongs);
          }
        }
        if (hasToStopSnoozeAtTheEndOfCurrentSong) send(controller.get(), selectors::stopSnooze);
      });
}

void SBMediaController_cancelTimer(id) {
  if (snoozeTimer == nullptr) return;
  snoozeTimer->invalidate();
  snoozeTimer = nullptr;
  stopRemainingTimeLabelsTimer();
  send(lastMediaControlsTransportStackView.get(), selectors::setTimerButtonText,
       BundleHelper::getLocalizedStringFor("SLEEP"));
}

}  // namespace lunadoze
