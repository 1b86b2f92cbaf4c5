#pragma once

#include "platform/foundation/PropertyList.h"
#include "platform/runtime/Selector.h"

// Starting and cancelling a snooze, and counting songs from the host's now-playing updates.
namespace lunadoze {

using platform::runtime::id;

void MediaControlsTransportStackView_validateButtonClicked(id self);
void SBMediaController_setNowPlayingInfo(id self, const platform::foundation::PropertyList::Dictionary* info);
void SBMediaController_cancelTimer(id self);

}  // namespace lunadoze
