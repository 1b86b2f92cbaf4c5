#pragma once

namespace lunadoze {

// Runs in SpringBoard after each change of the settings domain (the store has already updated
// the bound variables): pushes the timer-action settings into SpecialTasksHelper and applies the
// moon-icon settings to the buttons that exist.
void preferenceChangeBlock();

}  // namespace lunadoze
