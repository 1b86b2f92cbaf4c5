#pragma once

#include <string>

#include "platform/runtime/Selector.h"

// The lock-screen indicator: its methods on the transport stack view and the hooks that follow the
// lock-screen media controls appearing and disappearing (one controller class per system version).
namespace lunadoze {

using platform::runtime::id;

void MediaControlsTransportStackView_setupTimerButtonInNC(id self);
void MediaControlsTransportStackView_setCurrentTimerButtonInNCText(id self, const std::string& text);
void SBDashBoardMediaControlsViewController_viewWillAppear(id self, bool animated);
void SBDashBoardMediaControlsViewController_viewDidDisappear(id self, bool animated);
void CSMediaControlsViewController_viewWillAppear(id self, bool animated);
void CSMediaControlsViewController_viewDidDisappear(id self, bool animated);

// Forgets what the placement read of the outside tweaks' files, and gives up its watches.
void resetOutsideTweakFiles();

}  // namespace lunadoze
