#pragma once

#include "platform/foundation/PropertyList.h"
#include "platform/runtime/Selector.h"
#include "platform/uikit/CGGeometry.h"

namespace platform::uikit {
class UIEvent;
class UIView;
}  // namespace platform::uikit

// The host's implementations that the replaced methods took over, saved at installation; each
// replacement runs the host's behaviour through its slot.
namespace lunadoze::original {

using platform::runtime::id;

extern void (*MediaControlsTransportStackView_layoutSubviews)(id self);
extern void (*MediaControlsContainerView_layoutSubviews)(id self);
extern void (*NextUpViewController_viewDidLayoutSubviews)(id self);
extern void (*MediaControlsTransportButton_cfw_colorize)(id self, id colorInfo);
extern void (*MPButton_handleTouchUp)(id self);
extern void (*MPAVRoutingViewController_viewDidLayoutSubviews)(id self);
extern void (*CCUIContentModuleContainerViewController_setExpanded)(id self, bool expanded);
extern void (*SBDashBoardMediaControlsViewController_viewWillAppear)(id self, bool animated);
extern void (*SBDashBoardMediaControlsViewController_viewDidDisappear)(id self, bool animated);
extern void (*CSMediaControlsViewController_viewWillAppear)(id self, bool animated);
extern void (*CSMediaControlsViewController_viewDidDisappear)(id self, bool animated);
extern void (*MediaControlsParentContainerView_setClipsToBounds)(id self, bool clipsToBounds);
extern void (*MediaControlsParentContainerView_layoutSubviews)(id self);
extern platform::uikit::UIView* (*MediaControlsParentContainerView_hitTest)(id self,
                                                                            platform::uikit::CGPoint point,
                                                                            platform::uikit::UIEvent* event);
extern void (*SBMediaController_setNowPlayingInfo)(
    id self, const platform::foundation::PropertyList::Dictionary* info);
extern void (*SBVolumeControl_increaseVolume)(id self);

// Empties every slot, as at load.
void reset();

}  // namespace lunadoze::original
