#include "tweak/engine/ExtendSnoozeHooks.h"

#include "platform/foundation/Dispatch.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/foundation/NSTimer.h"
#include "platform/runtime/Runtime.h"
#include "platform/springboard/MediaControlsTransportStackView.h"
#include "tweak/core/LunadozeSelectors.h"
#include "tweak/core/OriginalImplementations.h"
#include "tweak/core/Settings.h"
#include "tweak/core/ViewGlobals.h"
#include "tweak/engine/SnoozeState.h"
#include "tweak/panel/LunadozeViewController.h"

namespace lunadoze {

using platform::foundation::NSRunLoop;
using platform::foundation::NSTimer;
using platform::runtime::send;

namespace {

// The page's unit (minutes or hours, song or songs) follows the value it shows now.
void refreshCurrentTimerPage() {
  if (lunadozeVC == nullptr || lunadozeVC->currentTimerView() == nullptr) return;
  lunadozeVC->currentTimerView()->setupViewWithMode(songsSnoozeIsRunning ? SnoozeModeSongs : SnoozeModeTime);
}

// A stop timer of the extension's length from now. The second more is a start's: the labels read
// the full minutes first and 00:00 a second before the stop.
void scheduleStopTimer(id mediaController, const platform::runtime::Selector<void()>& stop, double seconds) {
  snoozeTimer =
      NSTimer::scheduledTimerWithTimeInterval(seconds + 1.0, mediaController->retained(), stop, false);
}

// The label timer from its first update on, as after a start, while a view shows the time (the
// others start it as they appear); the page follows that update.
void restartRemainingTimeLabels() {
  stopRemainingTimeLabelsTimer();
  if (ccMediaModuleIsExpanded || ncMediaModuleIsShowed) startRemainingTimeLabelsTimer();
  platform::foundation::dispatch_async_main(refreshCurrentTimerPage);
}

}  // namespace

void SBMediaController_extendSnooze(id self) {
  if (songsSnoozeIsRunning) {
    ++nbSongsToPlayBeforeStop;
    send(lastMediaControlsTransportStackView.get(), selectors::updateButtonTextWithRemainingNbSongs);
    refreshCurrentTimerPage();
    return;
  }
  if (!timeSnoozeIsRunning) return;

  const double extension = static_cast<double>(extendMinutes) * 60;
  const double now = NSRunLoop::mainRunLoop().currentTime();
  if (snoozeTimer != nullptr && snoozeTimer->fireDate() > now) {
    snoozeTimer->setFireDate(snoozeTimer->fireDate() + extension);
    updateRemainingTimeLabels();
    refreshCurrentTimerPage();
  } else if (snoozeTimer != nullptr) {
    snoozeTimer->setFireDate(now + extension + 1.0);
    restartRemainingTimeLabels();
  } else if (volumeFadeOutIsRunning) {
    // The step already queued finds the fade over.
    cancelVolumeFadeOut();
    scheduleStopTimer(self, selectors::stopSnoozeWithFadeOutIfNeeded, extension);
    restartRemainingTimeLabels();
  } else if (hasToStopSnoozeAtTheEndOfCurrentSong) {
    // The snooze was started to let the song finish; at its new end it does so again.
    hasToStopSnoozeAtTheEndOfCurrentSong = false;
    scheduleStopTimer(self, selectors::stopSnoozeAtTheEndOfCurrentSong, extension);
    restartRemainingTimeLabels();
  }
}

void SBVolumeControl_increaseVolume(id self) {
  original::SBVolumeControl_increaseVolume(self);
  if (!extendWithVolumeUpDuringFade || !volumeFadeOutIsRunning) return;
  send(mediaController().get(), selectors::extendSnooze);
}

}  // namespace lunadoze
