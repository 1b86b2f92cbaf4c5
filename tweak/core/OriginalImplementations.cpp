#include "tweak/core/OriginalImplementations.h"

namespace lunadoze::original {

void (*MediaControlsTransportStackView_layoutSubviews)(id) = nullptr;
void (*MediaControlsContainerView_layoutSubviews)(id) = nullptr;
void (*NextUpViewController_viewDidLayoutSubviews)(id) = nullptr;
void (*MediaControlsTransportButton_cfw_colorize)(id, id) = nullptr;
void (*MPButton_handleTouchUp)(id) = nullptr;
void (*MPAVRoutingViewController_viewDidLayoutSubviews)(id) = nullptr;
void (*CCUIContentModuleContainerViewController_setExpanded)(id, bool) = nullptr;
void (*SBDashBoardMediaControlsViewController_viewWillAppear)(id, bool) = nullptr;
void (*SBDashBoardMediaControlsViewController_viewDidDisappear)(id, bool) = nullptr;
void (*CSMediaControlsViewController_viewWillAppear)(id, bool) = nullptr;
void (*CSMediaControlsViewController_viewDidDisappear)(id, bool) = nullptr;
void (*MediaControlsParentContainerView_setClipsToBounds)(id, bool) = nullptr;
void (*MediaControlsParentContainerView_layoutSubviews)(id) = nullptr;
platform::uikit::UIView* (*MediaControlsParentContainerView_hitTest)(id, platform::uikit::CGPoint,
                                                                     platform::uikit::UIEvent*) = nullptr;
void (*SBMediaController_setNowPlayingInfo)(id,
                                            const platform::foundation::PropertyList::Dictionary*) = nullptr;
void (*SBVolumeControl_increaseVolume)(id) = nullptr;

void reset() {
  MediaControlsTransportStackView_layoutSubviews = nullptr;
  MediaControlsContainerView_layoutSubviews = nullptr;
  NextUpViewController_viewDidLayoutSubviews = nullptr;
  MediaControlsTransportButton_cfw_colorize = nullptr;
  MPButton_handleTouchUp = nullptr;
  MPAVRoutingViewController_viewDidLayoutSubviews = nullptr;
  CCUIContentModuleContainerViewController_setExpanded = nullptr;
  SBDashBoardMediaControlsViewController_viewWillAppear = nullptr;
  SBDashBoardMediaControlsViewController_viewDidDisappear = nullptr;
  CSMediaControlsViewController_viewWillAppear = nullptr;
  CSMediaControlsViewController_viewDidDisappear = nullptr;
  MediaControlsParentContainerView_setClipsToBounds = nullptr;
  MediaControlsParentContainerView_layoutSubviews = nullptr;
  MediaControlsParentContainerView_hitTest = nullptr;
  SBMediaController_setNowPlayingInfo = nullptr;
  SBVolumeControl_increaseVolume = nullptr;
}

}  // namespace lunadoze::original
