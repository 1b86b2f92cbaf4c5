#include "tweak/wiring/HookTable.h"

#include "platform/runtime/Runtime.h"
#include "platform/springboard/SpringBoardSelectors.h"
#include "platform/uikit/UIKitSelectors.h"
#include "tweak/core/LunadozeSelectors.h"
#include "tweak/core/OriginalImplementations.h"
#include "tweak/engine/ExtendSnoozeHooks.h"
#include "tweak/engine/StopSnoozeHooks.h"
#include "tweak/engine/TimerLifecycleHooks.h"
#include "tweak/mediacontrols/LockScreenIndicatorHooks.h"
#include "tweak/mediacontrols/PanelPresentationHooks.h"
#include "tweak/mediacontrols/SleepButtonHooks.h"

namespace lunadoze {

void installHookTable() {
  using platform::runtime::Class;
  using platform::runtime::class_addMethod;
  using platform::runtime::MSHookMessageEx;
  using platform::runtime::objc_getClass;
  namespace ui = platform::uikit::selectors;
  namespace sb = platform::springboard::selectors;

  Class* transportStackView = objc_getClass("MediaControlsTransportStackView");
  MSHookMessageEx(transportStackView, ui::layoutSubviews, MediaControlsTransportStackView_layoutSubviews,
                  &original::MediaControlsTransportStackView_layoutSubviews);
  class_addMethod(transportStackView, selectors::initLunadozeVC,
                  MediaControlsTransportStackView_initLunadozeVC, "v@:");
  class_addMethod(transportStackView, selectors::setupTimerButton,
                  MediaControlsTransportStackView_setupTimerButton, "v@:");
  class_addMethod(transportStackView, selectors::setupTimerButtonInNC,
                  MediaControlsTransportStackView_setupTimerButtonInNC, "v@:");
  class_addMethod(transportStackView, selectors::setTimeButtonClicked,
                  MediaControlsTransportStackView_setTimeButtonClicked, "v@:");
  class_addMethod(transportStackView, selectors::moveUpActionMediaButtons,
                  MediaControlsTransportStackView_moveUpActionMediaButtons, "v@:");
  class_addMethod(transportStackView, selectors::validateButtonClicked,
                  MediaControlsTransportStackView_validateButtonClicked, "v@:");
  class_addMethod(transportStackView, selectors::cancelButtonClicked,
                  MediaControlsTransportStackView_cancelButtonClicked, "v@:");
  class_addMethod(transportStackView, selectors::updateButtonTextWithRemainingNbSongs,
                  MediaControlsTransportStackView_updateButtonTextWithRemainingNbSongs, "v@:");
  class_addMethod(transportStackView, selectors::setTimerButtonText,
                  MediaControlsTransportStackView_setTimerButtonText, "v@:@");
  class_addMethod(transportStackView, selectors::setCurrentTimerButtonInNCText,
                  MediaControlsTransportStackView_setCurrentTimerButtonInNCText, "v@:@");

  MSHookMessageEx(objc_getClass("MediaControlsContainerView"), ui::layoutSubviews,
                  MediaControlsContainerView_layoutSubviews,
                  &original::MediaControlsContainerView_layoutSubviews);
  MSHookMessageEx(objc_getClass("NextUpViewController"), ui::viewDidLayoutSubviews,
                  NextUpViewController_viewDidLayoutSubviews,
                  &original::NextUpViewController_viewDidLayoutSubviews);
  MSHookMessageEx(objc_getClass("MediaControlsTransportButton"), selectors::cfw_colorize,
                  MediaControlsTransportButton_cfw_colorize,
                  &original::MediaControlsTransportButton_cfw_colorize);
  MSHookMessageEx(objc_getClass("MPButton"), sb::_handleTouchUp, MPButton_handleTouchUp,
                  &original::MPButton_handleTouchUp);
  MSHookMessageEx(objc_getClass("MPAVRoutingViewController"), ui::viewDidLayoutSubviews,
                  MPAVRoutingViewController_viewDidLayoutSubviews,
                  &original::MPAVRoutingViewController_viewDidLayoutSubviews);
  MSHookMessageEx(objc_getClass("CCUIContentModuleContainerViewController"), sb::setExpanded,
                  CCUIContentModuleContainerViewController_setExpanded,
                  &original::CCUIContentModuleContainerViewController_setExpanded);

  // Only one of the two lock-screen controllers exists on a given system; the other's rows do nothing.
  Class* dashBoardMediaControls = objc_getClass("SBDashBoardMediaControlsViewController");
  MSHookMessageEx(dashBoardMediaControls, ui::viewWillAppear,
                  SBDashBoardMediaControlsViewController_viewWillAppear,
                  &original::SBDashBoardMediaControlsViewController_viewWillAppear);
  MSHookMessageEx(dashBoardMediaControls, ui::viewDidDisappear,
                  SBDashBoardMediaControlsViewController_viewDidDisappear,
                  &original::SBDashBoardMediaControlsViewController_viewDidDisappear);
  Class* coverSheetMediaControls = objc_getClass("CSMediaControlsViewController");
  MSHookMessageEx(coverSheetMediaControls, ui::viewWillAppear, CSMediaControlsViewController_viewWillAppear,
                  &original::CSMediaControlsViewController_viewWillAppear);
  MSHookMessageEx(coverSheetMediaControls, ui::viewDidDisappear,
                  CSMediaControlsViewController_viewDidDisappear,
                  &original::CSMediaControlsViewController_viewDidDisappear);

  Class* parentContainerView = objc_getClass("MediaControlsParentContainerView");
  MSHookMessageEx(parentContainerView, ui::setClipsToBounds,
                  MediaControlsParentContainerView_setClipsToBounds,
                  &original::MediaControlsParentContainerView_setClipsToBounds);
  MSHookMessageEx(parentContainerView, ui::layoutSubviews, MediaControlsParentContainerView_layoutSubviews,
                  &original::MediaControlsParentContainerView_layoutSubviews);
  MSHookMessageEx(parentContainerView, ui::hitTest, MediaControlsParentContainerView_hitTest,
                  &original::MediaControlsParentContainerView_hitTest);

  Class* mediaController = objc_getClass("SBMediaController");
  MSHookMessageEx(mediaController, sb::setNowPlayingInfo, SBMediaController_setNowPlayingInfo,
                  &original::SBMediaController_setNowPlayingInfo);
  class_addMethod(mediaController, selectors::stopSnoozeWithFadeOutIfNeeded,
                  SBMediaController_stopSnoozeWithFadeOutIfNeeded, "v@:");
  class_addMethod(mediaController, selectors::stopSnoozeAtTheEndOfCurrentSong,
                  SBMediaController_stopSnoozeAtTheEndOfCurrentSong, "v@:");
  class_addMethod(mediaController, selectors::stopSnooze, SBMediaController_stopSnooze, "v@:");
  class_addMethod(mediaController, selectors::stopSnoozeWithFadeOutVolume,
                  SBMediaController_stopSnoozeWithFadeOutVolume, "v@:i");
  class_addMethod(mediaController, selectors::doFadeOutVolumeWithSteps,
                  SBMediaController_doFadeOutVolumeWithSteps, "v@:f");
  class_addMethod(mediaController, selectors::cancelTimer, SBMediaController_cancelTimer, "v@:");
  class_addMethod(mediaController, selectors::extendSnooze, SBMediaController_extendSnooze, "v@:");

  MSHookMessageEx(objc_getClass("SBVolumeControl"), sb::increaseVolume, SBVolumeControl_increaseVolume,
                  &original::SBVolumeControl_increaseVolume);
}

}  // namespace lunadoze
