#include "tweak/mediacontrols/ViewGlobals.h"

namespace lunadoze {

constinit std::shared_ptr<LunadozeImageButton> setTimerButton;
constinit std::shared_ptr<LunadozeImageButton> currentTimerButtonInNC;

}  // namespace lunadoze
