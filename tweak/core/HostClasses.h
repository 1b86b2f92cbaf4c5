#pragma once

#include "platform/runtime/Class.h"

// SpringBoard classes that the timer engine messages directly, looked up by name on first use and
// kept from then on. Null while the running system has no class of that name.
namespace lunadoze {

platform::runtime::Class* SBMediaControllerClass();
platform::runtime::Class* SBBacklightControllerClass();

}  // namespace lunadoze
