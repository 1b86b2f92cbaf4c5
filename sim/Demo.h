#pragma once

#include <string_view>

namespace lunadoze::sim {

// The built-in demo, a script like any other: a 30-minute timer from Control Center, the lock
// screen shown, the fade and the pause. Each step says what the person sees and what the system
// does, and checks it, in virtual time.
inline constexpr std::string_view kDemoScript =
    R"(# A phone with Lunadoze installed starts up and plays music.
boot
music queue "Night Drive" 1500 "Slow Tide" 1500 "Afterglow" 1500
music play
echo "00:00:00  Music plays: Night Drive, at volume 0.5."
expect music playing
expect music.volume 0.5

cc expand
echo "00:00:00  The person opens Control Center and expands the now-playing module."
echo "          Below the transport controls: the moon and Sleep, the controls 25 points higher."
expect cc.sleep visible
expect cc.sleep.text "Sleep"
expect cc.sleep.frame 0 50 320 40
expect cc.transport.frame 140 0 40 40

tap sleep
echo "00:00:00  A tap on Sleep: the panel slides in over the controls with the count-down picker."
expect panel choose-time
expect panel.frame 0 0 320 300

pick time 30
tap confirm
echo "00:00:00  30 minutes picked and confirmed: a 30-minute timer runs; the panel confirms it."
expect snooze time
expect panel current-timer

wait 2
echo "00:00:02  The confirmation closes by itself; the button counts down."
expect panel dismissed
expect cc.sleep.text "29:58"

cc collapse
lock show
echo "00:00:02  Control Center closes, the phone is locked; below the lock-screen controls: the indicator."
expect lock.indicator visible
expect lock.indicator.frame 0 155 359 40

wait 10m
echo "00:10:02  Ten minutes later the indicator reads 19:58."
expect lock.indicator.text "19:58"

wait 1197
echo "00:29:59  One second left."
expect lock.indicator.text "00:01"
expect music playing

wait 2
echo "00:30:01  Time is up: the volume fades out over 15 seconds."
expect snooze fading

wait 16
echo "00:30:17  The volume reached zero: the music pauses, the timer is over, the indicator goes away."
expect music paused
expect snooze idle
expect lock.indicator hidden

wait 2
echo "00:30:19  A second after the pause the volume is back at 0.5 for tomorrow."
expect music.volume 0.5
state
)";

}  // namespace lunadoze::sim
