#pragma once

#include "platform/foundation/PropertyList.h"
#include "platform/runtime/Selector.h"

// SpringBoard's own methods that go through the runtime's method tables, so that a hook takes
// effect for every caller. The C++ member of the same name sends the selector.
namespace platform::springboard::selectors {

using runtime::Selector;

// MPButton
inline constexpr Selector<void()> _handleTouchUp{"_handleTouchUp"};

// CCUIContentModuleContainerViewController
inline constexpr Selector<void(bool)> setExpanded{"setExpanded:"};

// SBMediaController: the now-playing dictionary, null for nil.
inline constexpr Selector<void(const foundation::PropertyList::Dictionary*)> setNowPlayingInfo{
    "setNowPlayingInfo:"};

}  // namespace platform::springboard::selectors
