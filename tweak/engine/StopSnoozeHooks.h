#pragma once

#include "platform/runtime/Selector.h"

// Ending a snooze: pausing playback at once, after a volume fade-out, or at the end of the song.
namespace lunadoze {

using platform::runtime::id;

// The stop timer's message: fades out over volumeFadeOutTime seconds, or pauses at once.
void SBMediaController_stopSnoozeWithFadeOutIfNeeded(id self);
// The stop timer's message with let-the-song-finish: the next new title pauses.
void SBMediaController_stopSnoozeAtTheEndOfCurrentSong(id self);
// Pauses playback, ends the snooze, closes the panel and runs the end actions.
void SBMediaController_stopSnooze(id self);
void SBMediaController_stopSnoozeWithFadeOutVolume(id self, int seconds);
// One step of the fade every 0.1 s, the volume HUD hidden, until the volume is gone; then the pause,
// and the volume put back a second later.
void SBMediaController_doFadeOutVolumeWithSteps(id self, float step);

}  // namespace lunadoze
