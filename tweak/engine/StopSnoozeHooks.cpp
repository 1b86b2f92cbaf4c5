#include "tweak/engine/StopSnoozeHooks.h"

namespace lunadoze {

void SBMediaController_stopSnoozeWithFadeOutIfNeeded(id) {}

void SBMediaController_stopSnoozeAtTheEndOfCurrentSong(id) {}

void SBMediaController_stopSnooze(id) {}

void SBMediaController_stopSnoozeWithFadeOutVolume(id, int) {}

void SBMediaController_doFadeOutVolumeWithSteps(id, float) {}

}  // namespace lunadoze
