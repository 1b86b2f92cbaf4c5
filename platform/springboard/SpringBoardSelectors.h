#pragma once

#include <cstdint>
#include <string_view>

#include "platform/foundation/PropertyList.h"
#include "platform/runtime/Selector.h"

// SpringBoard's own methods that go through the runtime's method tables, so that a hook takes
// effect for every caller and respondsToSelector: tells which the running system has. The C++
// member of the same name sends the selector.
namespace platform::springboard::selectors {

using runtime::Selector;

// MPButton
inline constexpr Selector<void()> _handleTouchUp{"_handleTouchUp"};

// MediaControlsContainerView: whether it shows the next-up list.
inline constexpr Selector<bool()> shouldShowNextUp{"shouldShowNextUp"};

// Added to the media controls by the outside colouring tweak, when the device has it: the colour
// information of a transport stack view, and the colouring of a transport button.
inline constexpr Selector<runtime::id()> cfw_colorInfo{"cfw_colorInfo"};
inline constexpr Selector<void(runtime::id)> cfw_colorize{"cfw_colorize:"};

// CCUIContentModuleContainerViewController
inline constexpr Selector<void(bool)> setExpanded{"setExpanded:"};

// SBMediaController: the now-playing dictionary, null for nil.
inline constexpr Selector<void(const foundation::PropertyList::Dictionary*)> setNowPlayingInfo{
    "setNowPlayingInfo:"};
// SBMediaController: which of these the running system has differs (see Phone).
inline constexpr Selector<bool()> pause{"pause"};
inline constexpr Selector<bool(int64_t)> pauseForEventSource{"pauseForEventSource:"};
// SBMediaController, below system version 13.0 only.
inline constexpr Selector<float()> volume{"volume"};
inline constexpr Selector<void(float)> setVolume{"setVolume:"};

// SBVolumeControl, from system version 13.0 on only: the media volume.
inline constexpr Selector<float()> _getMediaVolumeForIAP{"_getMediaVolumeForIAP"};
inline constexpr Selector<void(float, std::string_view)> setVolumeForCategory{"setVolume:forCategory:"};
// SBVolumeControl: the hardware volume buttons, one press each.
inline constexpr Selector<void()> increaseVolume{"increaseVolume"};
inline constexpr Selector<void()> decreaseVolume{"decreaseVolume"};

}  // namespace platform::springboard::selectors
