#pragma once

namespace lunadoze {

// The settings domain: the tweak reads it, the preferences pane and the timer-actions page write
// it. The preferences bundle takes it from here, so that the two can never name different files.
inline constexpr const char* kPreferencesIdentifier = "com.corvane.lunadoze";

}  // namespace lunadoze
