#include "tweak/engine/TimerLifecycleHooks.h"

#include "tweak/core/HookTable.h"

namespace lunadoze {

using platform::foundation::PropertyList;

void MediaControlsTransportStackView_validateButtonClicked(id) {}

void SBMediaController_setNowPlayingInfo(id self, const PropertyList::Dictionary* info) {
  original::SBMediaController_setNowPlayingInfo(self, info);
}

void SBMediaController_cancelTimer(id) {}

}  // namespace lunadoze
