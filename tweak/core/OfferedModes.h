#pragma once

#include <cstdint>

namespace lunadoze {

// Which snooze modes the panel offers: the values of the `enabledModes` setting and of the
// choose-time view's modeType. With both, the panel opens on time and shows the mode toggle.
enum OfferedModes : int32_t {
  OfferedModesBoth = 0,
  OfferedModesTimeOnly = 1,
  OfferedModesSongsOnly = 2,
};

}  // namespace lunadoze
