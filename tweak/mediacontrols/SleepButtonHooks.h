#pragma once

#include <string>

#include "platform/runtime/Selector.h"

// The Control Center sleep button: the transport stack view's layout hook and the methods it adds.
namespace lunadoze {

using platform::runtime::id;

void MediaControlsTransportStackView_layoutSubviews(id self);
void MediaControlsTransportStackView_setupTimerButton(id self);
void MediaControlsTransportStackView_moveUpActionMediaButtons(id self);
void MediaControlsTransportStackView_cancelButtonClicked(id self);
void MediaControlsTransportStackView_updateButtonTextWithRemainingNbSongs(id self);
void MediaControlsTransportStackView_setTimerButtonText(id self, const std::string& text);

}  // namespace lunadoze
