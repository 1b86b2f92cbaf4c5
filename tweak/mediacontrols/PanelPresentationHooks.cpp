#include "tweak/mediacontrols/PanelPresentationHooks.h"

#include "tweak/core/HookTable.h"

namespace lunadoze {

using platform::uikit::CGPoint;
using platform::uikit::UIEvent;
using platform::uikit::UIView;

void MediaControlsTransportStackView_initLunadozeVC(id) {}

void MediaControlsTransportStackView_setTimeButtonClicked(id) {}

void MediaControlsContainerView_layoutSubviews(id self) {
  original::MediaControlsContainerView_layoutSubviews(self);
}

void NextUpViewController_viewDidLayoutSubviews(id self) {
  original::NextUpViewController_viewDidLayoutSubviews(self);
}

void MediaControlsTransportButton_cfw_colorize(id self, id colorInfo) {
  original::MediaControlsTransportButton_cfw_colorize(self, colorInfo);
}

void MPButton_handleTouchUp(id self) {
  original::MPButton_handleTouchUp(self);
}

void MPAVRoutingViewController_viewDidLayoutSubviews(id self) {
  original::MPAVRoutingViewController_viewDidLayoutSubviews(self);
}

void CCUIContentModuleContainerViewController_setExpanded(id self, bool expanded) {
  original::CCUIContentModuleContainerViewController_setExpanded(self, expanded);
}

void MediaControlsParentContainerView_setClipsToBounds(id self, bool clipsToBounds) {
  original::MediaControlsParentContainerView_setClipsToBounds(self, clipsToBounds);
}

void MediaControlsParentContainerView_layoutSubviews(id self) {
  original::MediaControlsParentContainerView_layoutSubviews(self);
}

UIView* MediaControlsParentContainerView_hitTest(id self, CGPoint point, UIEvent* event) {
  return original::MediaControlsParentContainerView_hitTest(self, point, event);
}

}  // namespace lunadoze
