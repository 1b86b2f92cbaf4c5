#pragma once

#include "platform/runtime/Selector.h"
#include "platform/uikit/CGGeometry.h"

namespace platform::uikit {
class UIEvent;
class UIView;
}  // namespace platform::uikit

// The timer panel over the Control Center media module: creating and presenting it, and the hooks
// on the host's media views that place it, route touches to it and dismiss it.
namespace lunadoze {

using platform::runtime::id;

// Sizes the panel's view to the parent of the Control Center media container.
void fitPanelViewToMediaModule();
void MediaControlsTransportStackView_initLunadozeVC(id self);
void MediaControlsTransportStackView_setTimeButtonClicked(id self);
void MediaControlsContainerView_layoutSubviews(id self);
void NextUpViewController_viewDidLayoutSubviews(id self);
void MediaControlsTransportButton_cfw_colorize(id self, id colorInfo);
void MPButton_handleTouchUp(id self);
void MPAVRoutingViewController_viewDidLayoutSubviews(id self);
void CCUIContentModuleContainerViewController_setExpanded(id self, bool expanded);
void MediaControlsParentContainerView_setClipsToBounds(id self, bool clipsToBounds);
void MediaControlsParentContainerView_layoutSubviews(id self);
platform::uikit::UIView* MediaControlsParentContainerView_hitTest(id self, platform::uikit::CGPoint point,
                                                                  platform::uikit::UIEvent* event);

}  // namespace lunadoze
