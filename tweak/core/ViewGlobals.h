#pragma once

#include <memory>

#include "platform/uikit/CGGeometry.h"

namespace platform::springboard {
class MPAVRoutingViewController;
class MediaControlsContainerView;
class MediaControlsParentContainerView;
class MediaControlsTransportStackView;
}  // namespace platform::springboard

namespace platform::uikit {
class UIView;
}

// Process-wide references to the host's media views and the tweak's own views, and what is on
// screen. Main thread only. Each reference starts empty and, once set, holds its view for the life
// of SpringBoard; it is replaced, never cleared.
namespace lunadoze {

class LunadozeImageButton;
class LunadozeViewController;

// The Control Center transport stack view: the first that passed the layout hook's gates.
extern std::shared_ptr<platform::springboard::MediaControlsTransportStackView>
    lastMediaControlsTransportStackView;
// The Control Center media-controls container: the first visible one of an expanded module. The
// panel lives in its superview.
extern std::shared_ptr<platform::springboard::MediaControlsContainerView> lastMediaControlsView;
// The last visible parent container laid out.
extern std::shared_ptr<platform::springboard::MediaControlsParentContainerView>
    lastMediaControlsParentViewForNextUpSupport;
// The next-up list's view.
extern std::shared_ptr<platform::uikit::UIView> lastNextUpView;
// The audio-route picker.
extern std::shared_ptr<platform::springboard::MPAVRoutingViewController> lastRoutingVC;
// The Control Center sleep button.
extern std::shared_ptr<LunadozeImageButton> setTimerButton;
// The lock-screen indicator.
extern std::shared_ptr<LunadozeImageButton> currentTimerButtonInNC;
// The timer panel.
extern std::shared_ptr<LunadozeViewController> lunadozeVC;

// The Control Center now-playing module is expanded.
extern bool ccMediaModuleIsExpanded;
// The lock-screen / Notification Center media controls are on screen.
extern bool ncMediaModuleIsShowed;
// The audio-route picker counts as showing.
extern bool airplayViewIsShowed;
// The next-up list's host-given frame before the tweak moved it; zero until recorded.
extern platform::uikit::CGRect nextUpOriginalFrame;

// Every reference empty and every flag off, as at load.
void resetViewGlobals();

// The Control Center media container shows the next-up list.
bool isNextUpShown();

}  // namespace lunadoze
