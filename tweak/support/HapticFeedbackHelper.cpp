#include "tweak/support/HapticFeedbackHelper.h"

#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIImpactFeedbackGenerator.h"

namespace lunadoze {

using platform::uikit::UIImpactFeedbackGenerator;

void HapticFeedbackHelper::sendImpact() {
  sendImpactWithStyle(platform::uikit::UIImpactFeedbackStyleLight);
}

void HapticFeedbackHelper::sendImpactWithStyle(int64_t style) {
  if (platform::runtime::NSClassFromString("UIImpactFeedbackGenerator") == nullptr) return;
  // A generator per impact, nothing prepared in advance: taps are rare.
  UIImpactFeedbackGenerator::create(static_cast<platform::uikit::UIImpactFeedbackStyle>(style))
      ->impactOccurred();
}

}  // namespace lunadoze
