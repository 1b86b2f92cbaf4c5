#include "tweak/wiring/TweakProcessState.h"

#include "tweak/core/OriginalImplementations.h"
#include "tweak/core/Settings.h"
#include "tweak/core/ViewGlobals.h"
#include "tweak/engine/SnoozeState.h"
#include "tweak/engine/SpecialTasksHelper.h"
#include "tweak/support/LunadozeStorageManager.h"

namespace lunadoze {

namespace {

void resetSettings() {
  preferences.reset();
  enabled = false;
  enabledModes = 0;
  timerDefaultValue = 0;
  timerMinutesSteps = 0;
  volumeFadeOutEnabled = false;
  volumeFadeOutTime = 0;
  letTheSongFinishEnabled = false;
  nbSongsDefaultValue = 0;
  showConfirmationViewAfterTimerSetEnabled = false;
  confirmViewAutoDismissTime = 0;
  showIndicatorOnNC = false;
  hideMoonIconInCC = false;
  hideMoonIconInNC = false;
  onTimerEndsAirplane = false;
  onTimerEndsDND = false;
  onTimerEndsBluetooth = false;
  onTimerEndsBluetoothMode = 0;
  onTimerEndsBluetoothDeviceName.reset();
  onTimerStartsAirplane = false;
  onTimerStartsDND = false;
  onTimerStartsCustomVolume = false;
  onTimerStartsCustomVolumeValue = 0;
  extendMinutes = 0;
  extendWithVolumeUpDuringFade = false;
}

void resetSnoozeVariables() {
  snoozeTimer.reset();
  timeSnoozeIsRunning = false;
  songsSnoozeIsRunning = false;
  nbSongsToPlayBeforeStop = 0;
  nbSongsPlayed = 0;
  hasToStopSnoozeAtTheEndOfCurrentSong = false;
  lastSongTitleName.reset();
  updateRemainingTimeLabelsTimer.reset();
  volumeBeforeFadeOut = 0;
  volumeFadeOutIsRunning = false;
}

}  // namespace

void TweakProcessState::reset() {
  resetSettings();
  resetSnoozeVariables();
  resetViewGlobals();
  original::reset();
  SpecialTasksHelper::resetSharedInstance();
  LunadozeStorageManager::resetSharedInstance();
}

}  // namespace lunadoze
