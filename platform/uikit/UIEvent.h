#pragma once

#include "platform/runtime/NSObject.h"

namespace platform::uikit {

// The event that a touch belongs to. Touches here are single taps, so the event carries nothing
// beyond its identity; hit testing and control actions pass it along, usually as null.
class UIEvent : public runtime::NSObject {
  RUNTIME_CLASS(UIEvent)

 public:
};

}  // namespace platform::uikit
