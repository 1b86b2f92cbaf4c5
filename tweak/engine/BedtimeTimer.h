#pragma once

#include <cstdint>
#include <optional>

#include "platform/foundation/PropertyList.h"

// The bedtime timer: a time snooze that starts by itself when music begins to play at night.
namespace lunadoze {

// Whether the player played at the last now-playing update; nullopt until one is seen, so that
// music already playing when SpringBoard starts is not taken for a start.
extern std::optional<bool> nowPlayingIsPlaying;

// Whether the minute of the day (0 to 1439) lies in the window from `from` (included) to `to`
// (excluded), which crosses midnight when it ends before it begins. A window that ends where it
// begins holds no minute.
bool isInsideBedtimeWindow(int64_t minuteOfDay, int64_t from, int64_t to);
// The device's time of day, in whole minutes after midnight.
int64_t currentMinuteOfDay();

// Takes a now-playing update. When it says the player went from paused to playing, the bedtime
// timer is on, no snooze runs and the time of day is in the window, starts a time snooze of
// `bedtimeMinutes` with the start actions, as the panel's start button does, without the panel.
void startBedtimeSnoozeIfPlaybackStarted(const platform::foundation::PropertyList::Dictionary* info);

}  // namespace lunadoze
