// The engine reaching up into the wiring above it.
#include "tweak/wiring/HookTable.h"
