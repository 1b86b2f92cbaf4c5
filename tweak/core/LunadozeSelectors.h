#pragma once

#include <string>

#include "platform/runtime/Selector.h"

// The methods the tweak adds to host classes, sent through the runtime like the host's own.
namespace lunadoze::selectors {

using platform::runtime::id;
using platform::runtime::Selector;

// Added to MediaControlsTransportStackView.
inline constexpr Selector<void()> initLunadozeVC{"initLunadozeVC"};
inline constexpr Selector<void()> setupTimerButton{"setupTimerButton"};
inline constexpr Selector<void()> setupTimerButtonInNC{"setupTimerButtonInNC"};
inline constexpr Selector<void()> setTimeButtonClicked{"setTimeButtonClicked"};
inline constexpr Selector<void()> moveUpActionMediaButtons{"moveUpActionMediaButtons"};
inline constexpr Selector<void()> validateButtonClicked{"validateButtonClicked"};
inline constexpr Selector<void()> cancelButtonClicked{"cancelButtonClicked"};
inline constexpr Selector<void()> updateButtonTextWithRemainingNbSongs{
    "updateButtonTextWithRemainingNbSongs"};
inline constexpr Selector<void(const std::string&)> setTimerButtonText{"setTimerButtonText:"};
inline constexpr Selector<void(const std::string&)> setCurrentTimerButtonInNCText{
    "setCurrentTimerButtonInNCText:"};

// Added to SBMediaController.
inline constexpr Selector<void()> stopSnoozeWithFadeOutIfNeeded{"stopSnoozeWithFadeOutIfNeeded"};
inline constexpr Selector<void()> stopSnoozeAtTheEndOfCurrentSong{"stopSnoozeAtTheEndOfCurrentSong"};
inline constexpr Selector<void()> stopSnooze{"stopSnooze"};
inline constexpr Selector<void(int)> stopSnoozeWithFadeOutVolume{"stopSnoozeWithFadeOutVolume:"};
inline constexpr Selector<void(float)> doFadeOutVolumeWithSteps{"doFadeOutVolumeWithSteps:"};
inline constexpr Selector<void()> cancelTimer{"cancelTimer"};
inline constexpr Selector<void()> extendSnooze{"extendSnooze"};

// Added to the media controls by the outside colouring tweak, when it is installed.
inline constexpr Selector<void(id)> cfw_colorize{"cfw_colorize:"};

}  // namespace lunadoze::selectors
