#pragma once

#include <memory>

// Process-wide references to the tweak's own views. Each starts empty and, once set, holds its
// view for the life of SpringBoard.
namespace lunadoze {

class LunadozeImageButton;

// The Control Center sleep button.
extern std::shared_ptr<LunadozeImageButton> setTimerButton;
// The lock-screen indicator.
extern std::shared_ptr<LunadozeImageButton> currentTimerButtonInNC;

}  // namespace lunadoze
