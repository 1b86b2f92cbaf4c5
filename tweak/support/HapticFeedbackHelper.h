#pragma once

#include <cstdint>

namespace lunadoze {

// The impact haptic that accompanies taps.
class HapticFeedbackHelper {
 public:
  HapticFeedbackHelper() = delete;

  // A light impact.
  static void sendImpact();
  // One impact of the style (a UIImpactFeedbackStyle); none on a system without impact feedback.
  static void sendImpactWithStyle(int64_t style);
};

}  // namespace lunadoze
