#include "tweak/mediacontrols/SleepButtonHooks.h"

#include "tweak/core/HookTable.h"

namespace lunadoze {

void MediaControlsTransportStackView_layoutSubviews(id self) {
  original::MediaControlsTransportStackView_layoutSubviews(self);
}

void MediaControlsTransportStackView_setupTimerButton(id) {}

void MediaControlsTransportStackView_moveUpActionMediaButtons(id) {}

void MediaControlsTransportStackView_cancelButtonClicked(id) {}

void MediaControlsTransportStackView_updateButtonTextWithRemainingNbSongs(id) {}

void MediaControlsTransportStackView_setTimerButtonText(id, const std::string&) {}

}  // namespace lunadoze
