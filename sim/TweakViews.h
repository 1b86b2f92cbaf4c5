#pragma once

#include "tweak/mediacontrols/TweakViewsDescription.h"

namespace lunadoze::sim {

class Device;

// The tweak's views, read through the function that the loaded library exports; empty while
// SpringBoard runs without the tweak.
TweakViewsDescription describeTweakViews(Device& device);

}  // namespace lunadoze::sim
