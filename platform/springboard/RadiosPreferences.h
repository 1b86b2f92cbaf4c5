#pragma once

#include <memory>

#include "platform/runtime/NSObject.h"

namespace platform::springboard {

class Phone;

// The radios' preferences: airplane mode.
class RadiosPreferences : public runtime::NSObject {
  RUNTIME_CLASS_WITH_CONSTRUCTORS(RadiosPreferences)
  explicit RadiosPreferences(Phone& phone) : phone_(phone) {}

 public:
  // alloc init; nil when no SpringBoard runs.
  static std::shared_ptr<RadiosPreferences> create();

  bool airplaneMode() const;
  // Takes effect at once.
  void setAirplaneMode(bool on);
  // Writes the preferences out; the mode has already taken effect.
  void synchronize() {}

 private:
  Phone& phone_;
};

}  // namespace platform::springboard
