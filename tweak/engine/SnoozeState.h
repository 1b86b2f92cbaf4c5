#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/NSTimer.h"
#include "platform/springboard/SBMediaController.h"

// The sleep timer's state, a running timer being a snooze: process-wide variables, changed on the
// main thread only, and the routines that end a snooze and keep its remaining time on screen.
namespace lunadoze {

// The one-shot stop timer of a time snooze; null when none. The remaining time is always read
// from its fire date.
extern std::shared_ptr<platform::foundation::NSTimer> snoozeTimer;
extern bool timeSnoozeIsRunning;
extern bool songsSnoozeIsRunning;
extern int64_t nbSongsToPlayBeforeStop;
// New titles seen since the songs snooze started.
extern int64_t nbSongsPlayed;
// The time has run out and playback pauses when the next song begins.
extern bool hasToStopSnoozeAtTheEndOfCurrentSong;
// The title of the now-playing item last seen; nullopt until one is seen.
extern std::optional<std::string> lastSongTitleName;
// The repeating label timer; null when none.
extern std::shared_ptr<platform::foundation::NSTimer> updateRemainingTimeLabelsTimer;
// The media volume when the running or last fade-out began.
extern float volumeBeforeFadeOut;
// A fade-out is lowering the volume and has not paused playback yet.
extern bool volumeFadeOutIsRunning;

// [SBMediaController sharedInstance], which the engine's messages go to; nil where the running
// system has no such class.
std::shared_ptr<platform::springboard::SBMediaController> mediaController();

// Ends the running snooze (one flag: the time one when set, else the songs one), ends a fade-out
// in progress with the volume put back, puts "SLEEP" back on the button and hides the lock-screen
// indicator.
void resetSnoozeState();
// Ends a fade-out in progress and puts the volume back as it was before it, the HUD showing it
// again; playback goes on.
void cancelVolumeFadeOut();
// Shows the remaining time at once and then every second, also while the user drags; does nothing
// while the label timer runs.
void startRemainingTimeLabelsTimer();
void stopRemainingTimeLabelsTimer();
// The remaining time as the labels show it ("00:00" once overdue, and without a stop timer).
std::string remainingTimeLabelText();
// Writes the remaining time on the views that show it.
void updateRemainingTimeLabels();

}  // namespace lunadoze
