#pragma once

#include "platform/runtime/Selector.h"

// Ending a snooze: pausing playback at once, after a volume fade-out, or at the end of the song.
namespace lunadoze {

using platform::runtime::id;

void SBMediaController_stopSnoozeWithFadeOutIfNeeded(id self);
void SBMediaController_stopSnoozeAtTheEndOfCurrentSong(id self);
void SBMediaController_stopSnooze(id self);
void SBMediaController_stopSnoozeWithFadeOutVolume(id self, int seconds);
void SBMediaController_doFadeOutVolumeWithSteps(id self, float step);

}  // namespace lunadoze
