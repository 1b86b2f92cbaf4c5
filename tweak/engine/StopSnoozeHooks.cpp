#include "tweak/engine/StopSnoozeHooks.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "platform/foundation/Dispatch.h"
#include "platform/runtime/Runtime.h"
#include "platform/springboard/SBMediaController.h"
#include "platform/springboard/SpringBoardSelectors.h"
#include "tweak/core/LunadozeSelectors.h"
#include "tweak/core/Settings.h"
#include "tweak/core/ViewGlobals.h"
#include "tweak/engine/SnoozeState.h"
#include "tweak/engine/SpecialTasksHelper.h"
#include "tweak/panel/LunadozeViewController.h"

namespace lunadoze {

using platform::foundation::dispatch_after;
using platform::runtime::send;
using platform::springboard::SBMediaController;

namespace {

constexpr double kFadeOutStepInterval = 0.1;
constexpr double kVolumeRestoreDelay = 1.0;
constexpr double kHUDRestoreDelay = 0.3;

// The added methods run on the media controller.
SBMediaController* asMediaController(id self) {
  return platform::runtime::downcast<SBMediaController>(self);
}

}  // namespace

void SBMediaController_stopSnoozeWithFadeOutIfNeeded(id self) {
  // A negative length would raise the volume at every step and never pause; one beyond the
  // message's 32 bits would wrap.
  const int64_t fadeOutTime = std::clamp<int64_t>(volumeFadeOutTime, 0, std::numeric_limits<int32_t>::max());
  if (fadeOutTime != 0) {
    send(self, selectors::stopSnoozeWithFadeOutVolume, static_cast<int32_t>(fadeOutTime));
  } else {
    send(self, selectors::stopSnooze);
  }
  send(self, selectors::cancelTimer);
}

void SBMediaController_stopSnoozeAtTheEndOfCurrentSong(id self) {
  hasToStopSnoozeAtTheEndOfCurrentSong = true;
  send(self, selectors::cancelTimer);
}

void SBMediaController_stopSnooze(id self) {
  namespace sb = platform::springboard::selectors;
  if (self->respondsToSelector(sb::pause)) {
    send(self, sb::pause);
  } else if (self->respondsToSelector(sb::pauseForEventSource)) {
    send(self, sb::pauseForEventSource, 0);
  }
  resetSnoozeState();
  if (lunadozeVC != nullptr) lunadozeVC->dismissCurrentView();
  SpecialTasksHelper::getInstance()->performSpecialActionsOnTimerEnd();
}

void SBMediaController_stopSnoozeWithFadeOutVolume(id self, int seconds) {
  volumeBeforeFadeOut = static_cast<float>(SpecialTasksHelper::getInstance()->getVolume());
  const double nbSteps = seconds / kFadeOutStepInterval;
  const auto step = static_cast<float>(volumeBeforeFadeOut / nbSteps);
  volumeFadeOutIsRunning = true;
  send(self, selectors::doFadeOutVolumeWithSteps, step);
}

void SBMediaController_doFadeOutVolumeWithSteps(id self, float step) {
  auto helper = SpecialTasksHelper::getInstance();
  if (helper->getVolume() > 0.0) {
    asMediaController(self)->setSuppressHUD(true);
    helper->changeVolumeBy(-step);
    dispatch_after(kFadeOutStepInterval, [controller = self->retained(), step] {
      // A cancelled fade leaves this step behind; it finds the fade over.
      if (volumeFadeOutIsRunning) send(controller.get(), selectors::doFadeOutVolumeWithSteps, step);
    });
    return;
  }
  volumeFadeOutIsRunning = false;
  send(self, selectors::stopSnooze);
  // The next playback starts at the volume set before the fade, without the HUD showing it.
  dispatch_after(kVolumeRestoreDelay, [controller = self->retained<SBMediaController>()] {
    SpecialTasksHelper::getInstance()->setVolume(volumeBeforeFadeOut);
    dispatch_after(kHUDRestoreDelay, [controller] { controller->setSuppressHUD(false); });
  });
}

}  // namespace lunadoze
