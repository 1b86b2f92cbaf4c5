#pragma once

#include "platform/foundation/PropertyList.h"
#include "platform/runtime/Selector.h"

// Starting and cancelling a snooze, and counting songs from the host's now-playing updates.
namespace lunadoze {

using platform::runtime::id;

// The panel's start button: starts a snooze of the panel's mode and runs the start actions.
void MediaControlsTransportStackView_validateButtonClicked(id self);
// Shows the current-timer page, without its bottom buttons, for a moment after a start.
void showTimerConfirmation();
// Starts the bedtime timer when playback starts at night. Counts each new title; ends a songs snooze at its
// count, and a time snooze that waits for the end of the song.
void SBMediaController_setNowPlayingInfo(id self, const platform::foundation::PropertyList::Dictionary* info);
// Ends the stop timer and the label timer and puts "SLEEP" back; the snooze itself goes on.
void SBMediaController_cancelTimer(id self);

}  // namespace lunadoze
