#pragma once

#include "tweak/inspection/SnoozeStateDescription.h"
#include "tweak/inspection/TweakViewsDescription.h"

namespace lunadoze::sim {

class Device;

// The product's state as the loaded library describes it, through the read-only functions that it
// exports for a host. While SpringBoard runs without the tweak, there are no views and the snooze
// is idle.
class TweakInspection {
 public:
  explicit TweakInspection(Device& device) : device_(device) {}

  TweakViewsDescription views() const;
  SnoozeStateDescription snooze() const;

 private:
  // Calls the library's `symbol` with `description`; leaves it as it is without the library.
  template <typename Description>
  void describe(const char* symbol, Description& description) const;

  Device& device_;
};

}  // namespace lunadoze::sim
