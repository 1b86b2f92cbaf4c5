#include "tweak/mediacontrols/LockScreenIndicatorHooks.h"

#include "tweak/core/HookTable.h"

namespace lunadoze {

void MediaControlsTransportStackView_setupTimerButtonInNC(id) {}

void MediaControlsTransportStackView_setCurrentTimerButtonInNCText(id, const std::string&) {}

void SBDashBoardMediaControlsViewController_viewWillAppear(id self, bool animated) {
  original::SBDashBoardMediaControlsViewController_viewWillAppear(self, animated);
}

void SBDashBoardMediaControlsViewController_viewDidDisappear(id self, bool animated) {
  original::SBDashBoardMediaControlsViewController_viewDidDisappear(self, animated);
}

void CSMediaControlsViewController_viewWillAppear(id self, bool animated) {
  original::CSMediaControlsViewController_viewWillAppear(self, animated);
}

void CSMediaControlsViewController_viewDidDisappear(id self, bool animated) {
  original::CSMediaControlsViewController_viewDidDisappear(self, animated);
}

}  // namespace lunadoze
