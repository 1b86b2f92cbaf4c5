#include "tweak/engine/SnoozeState.h"

#include <algorithm>

#include "platform/foundation/Dispatch.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/runtime/Runtime.h"
#include "platform/springboard/MediaControlsTransportStackView.h"
#include "platform/springboard/SBBacklightController.h"
#include "tweak/core/HostClasses.h"
#include "tweak/core/LunadozeSelectors.h"
#include "tweak/core/Settings.h"
#include "tweak/core/ViewGlobals.h"
#include "tweak/engine/SpecialTasksHelper.h"
#include "tweak/panel/LunadozeImageButton.h"
#include "tweak/panel/LunadozeViewController.h"
#include "tweak/support/BundleHelper.h"
#include "tweak/support/TimeFormatting.h"

namespace lunadoze {

using platform::foundation::NSRunLoop;
using platform::foundation::NSTimer;
using platform::runtime::send;
using platform::springboard::SBBacklightController;
using platform::springboard::SBMediaController;

constinit std::shared_ptr<NSTimer> snoozeTimer;
constinit bool timeSnoozeIsRunning = false;
constinit bool songsSnoozeIsRunning = false;
constinit int64_t nbSongsToPlayBeforeStop = 0;
constinit int64_t nbSongsPlayed = 0;
constinit bool hasToStopSnoozeAtTheEndOfCurrentSong = false;
constinit std::optional<std::string> lastSongTitleName;
constinit std::shared_ptr<NSTimer> updateRemainingTimeLabelsTimer;
constinit float volumeBeforeFadeOut = 0;
constinit bool volumeFadeOutIsRunning = false;

namespace {

// Seconds to the stop timer's fire date; 0 without one.
float remainingTime() {
  if (snoozeTimer == nullptr) return 0;
  return static_cast<float>(snoozeTimer->fireDate() - NSRunLoop::mainRunLoop().currentTime());
}

// Never negative: an overdue stop timer (held back while the user drags) reads 00:00.
std::string remainingTimeText(float remaining) {
  return timeFormatted(static_cast<int32_t>(std::max(remaining, 0.0f)));
}

bool screenIsOn() {
  if (SBBacklightControllerClass() == nullptr) return false;
  auto backlight = SBBacklightController::sharedInstance();
  return backlight != nullptr && backlight->screenIsOn();
}

// The time snooze's pause is still to come: its stop timer has not fired (it is overdue while the
// user drags), its fade-out runs, or it waits for the end of the song.
bool isSnoozeStopPending() {
  return snoozeTimer != nullptr || volumeFadeOutIsRunning || hasToStopSnoozeAtTheEndOfCurrentSong;
}

void showRemainingTime(const std::string& text) {
  if (ccMediaModuleIsExpanded) {
    send(lastMediaControlsTransportStackView.get(), selectors::setTimerButtonText, text);
    if (lunadozeVC != nullptr && lunadozeVC->currentTimerView() != nullptr) {
      if (auto timerLabel = lunadozeVC->currentTimerView()->timerLabel()) timerLabel->setText(text);
    }
  }
  if (ncMediaModuleIsShowed) {
    send(lastMediaControlsTransportStackView.get(), selectors::setCurrentTimerButtonInNCText, text);
  }
}

void updateRemainingTimeLabelsTick() {
  if (!screenIsOn()) return;
  const float remaining = remainingTime();
  showRemainingTime(remainingTimeText(remaining));
  // Fading out or waiting for the song's end, there is no time left to show.
  if (!timeSnoozeIsRunning || volumeFadeOutIsRunning || hasToStopSnoozeAtTheEndOfCurrentSong) {
    stopRemainingTimeLabelsTimer();
  }
  // A snooze whose stop is pending is left to it: resetting would drop the pause.
  if (remaining <= 0 && !songsSnoozeIsRunning && !isSnoozeStopPending()) resetSnoozeState();
}

}  // namespace

void cancelVolumeFadeOut() {
  volumeFadeOutIsRunning = false;
  // The HUD first, so that it shows the volume coming back.
  if (auto controller = mediaController()) controller->setSuppressHUD(false);
  SpecialTasksHelper::getInstance()->setVolume(volumeBeforeFadeOut);
}

std::shared_ptr<SBMediaController> mediaController() {
  return SBMediaControllerClass() != nullptr ? SBMediaController::sharedInstance() : nullptr;
}

void startTimeSnoozeWithInterval(double interval) {
  auto controller = mediaController();
  send(controller.get(), selectors::cancelTimer);
  timeSnoozeIsRunning = true;
  const auto& stop = letTheSongFinishEnabled ? selectors::stopSnoozeAtTheEndOfCurrentSong
                                             : selectors::stopSnoozeWithFadeOutIfNeeded;
  snoozeTimer = NSTimer::scheduledTimerWithTimeInterval(interval, controller, stop, false);
  startRemainingTimeLabelsTimer();
}

void resetSnoozeState() {
  if (volumeFadeOutIsRunning) cancelVolumeFadeOut();
  if (timeSnoozeIsRunning) {
    timeSnoozeIsRunning = false;
    send(mediaController().get(), selectors::cancelTimer);
    hasToStopSnoozeAtTheEndOfCurrentSong = false;
  } else if (songsSnoozeIsRunning) {
    songsSnoozeIsRunning = false;
    nbSongsPlayed = 0;
  }
  send(lastMediaControlsTransportStackView.get(), selectors::setTimerButtonText,
       BundleHelper::getLocalizedStringFor("SLEEP"));
  if (currentTimerButtonInNC != nullptr) currentTimerButtonInNC->setHidden(true);
}

void startRemainingTimeLabelsTimer() {
  if (updateRemainingTimeLabelsTimer != nullptr) return;
  platform::foundation::dispatch_async_main(updateRemainingTimeLabels);
  updateRemainingTimeLabelsTimer =
      NSTimer::scheduledTimerWithTimeInterval(1.0, true, [](NSTimer*) { updateRemainingTimeLabelsTick(); });
  NSRunLoop::mainRunLoop().addTimer(updateRemainingTimeLabelsTimer,
                                    platform::foundation::NSRunLoopMode::Common);
}

void stopRemainingTimeLabelsTimer() {
  if (updateRemainingTimeLabelsTimer == nullptr) return;
  updateRemainingTimeLabelsTimer->invalidate();
  updateRemainingTimeLabelsTimer = nullptr;
}

std::string remainingTimeLabelText() {
  return remainingTimeText(remainingTime());
}

void updateRemainingTimeLabels() {
  showRemainingTime(remainingTimeLabelText());
}

}  // namespace lunadoze
