#include "tweak/core/TweakProcessState.h"

#include "tweak/core/HookTable.h"
#include "tweak/core/Settings.h"
#include "tweak/engine/SnoozeState.h"
#include "tweak/engine/SpecialTasksHelper.h"
#include "tweak/mediacontrols/ViewGlobals.h"
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

void resetViewGlobals() {
  lastMediaControlsTransportStackView.reset();
  lastMediaControlsView.reset();
  lastMediaControlsParentViewForNextUpSupport.reset();
  lastNextUpView.reset();
  lastRoutingVC.reset();
  setTimerButton.reset();
  currentTimerButtonInNC.reset();
  lunadozeVC.reset();
  ccMediaModuleIsExpanded = false;
  ncMediaModuleIsShowed = false;
  airplayViewIsShowed = false;
  nextUpOriginalFrame = {};
}

void resetSavedImplementations() {
  original::MediaControlsTransportStackView_layoutSubviews = nullptr;
  original::MediaControlsContainerView_layoutSubviews = nullptr;
  original::NextUpViewController_viewDidLayoutSubviews = nullptr;
  original::MediaControlsTransportButton_cfw_colorize = nullptr;
  original::MPButton_handleTouchUp = nullptr;
  original::MPAVRoutingViewController_viewDidLayoutSubviews = nullptr;
  original::CCUIContentModuleContainerViewController_setExpanded = nullptr;
  original::SBDashBoardMediaControlsViewController_viewWillAppear = nullptr;
  original::SBDashBoardMediaControlsViewController_viewDidDisappear = nullptr;
  original::CSMediaControlsViewController_viewWillAppear = nullptr;
  original::CSMediaControlsViewController_viewDidDisappear = nullptr;
  original::MediaControlsParentContainerView_setClipsToBounds = nullptr;
  original::MediaControlsParentContainerView_layoutSubviews = nullptr;
  original::SBMediaController_setNowPlayingInfo = nullptr;
}

}  // namespace

void TweakProcessState::reset() {
  resetSettings();
  resetSnoozeVariables();
  resetViewGlobals();
  resetSavedImplementations();
  SpecialTasksHelper::resetSharedInstance();
  LunadozeStorageManager::resetSharedInstance();
}

}  // namespace lunadoze
