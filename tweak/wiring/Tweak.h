#pragma once

namespace lunadoze {

// The tweak's start: inside SpringBoard, opens the settings, binds every setting, registers the
// change block and, when enabled, installs the hook table. Does nothing in any other process.
// The library's load-time constructor calls it; tests call it again after resetting the runtime.
void tweakEntryPoint();

}  // namespace lunadoze
