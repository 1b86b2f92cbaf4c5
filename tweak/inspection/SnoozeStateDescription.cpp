#include "tweak/inspection/SnoozeStateDescription.h"

#include "tweak/engine/SnoozeState.h"

void LunadozeDescribeSnoozeState(lunadoze::SnoozeStateDescription* description) {
  using namespace lunadoze;
  if (volumeFadeOutIsRunning) {
    *description = {"fading", "-"};
  } else if (timeSnoozeIsRunning && hasToStopSnoozeAtTheEndOfCurrentSong) {
    *description = {"song-end", "-"};
  } else if (timeSnoozeIsRunning) {
    *description = {"time", remainingTimeLabelText()};
  } else if (songsSnoozeIsRunning) {
    *description = {"songs", std::to_string(nbSongsToPlayBeforeStop - nbSongsPlayed)};
  } else {
    *description = {"idle", "-"};
  }
}
