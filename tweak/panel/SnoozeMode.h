#pragma once

#include <cstdint>

namespace lunadoze {

// How a snooze counts down: what LunadozeViewController::selectedMode reports and what
// CurrentTimerView::setupViewWithMode shows.
enum SnoozeMode : int32_t {
  SnoozeModeTime = 0,
  SnoozeModeSongs = 1,
};

}  // namespace lunadoze
