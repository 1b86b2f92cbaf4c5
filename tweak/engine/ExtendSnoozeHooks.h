#pragma once

#include "platform/runtime/Selector.h"

// Extending a running snooze, from the current-timer page or with the volume-up button during the
// fade-out, without starting it anew: the start actions do not run again, and the end actions
// wait for the real end.
namespace lunadoze {

using platform::runtime::id;

// Added to the media controller: extendMinutes more minutes of a time snooze, or one more song.
// A stop still to come is put off: a fade-out stops with the volume put back, a wait for the end
// of the song ends, an overdue stop timer (held back while the user drags) counts from now.
void SBMediaController_extendSnooze(id self);
// Replaces the volume control's volume-up press: during the fade-out, with
// extendWithVolumeUpDuringFade, the press extends the snooze as well.
void SBVolumeControl_increaseVolume(id self);

}  // namespace lunadoze
