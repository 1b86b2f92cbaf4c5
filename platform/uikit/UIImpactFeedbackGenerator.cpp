#include "platform/uikit/UIImpactFeedbackGenerator.h"

#include "platform/runtime/Runtime.h"

namespace platform::uikit {
namespace {

int64_t impactsOccurred = 0;

}  // namespace

runtime::Class* UIImpactFeedbackGenerator::runtimeClass() {
  return runtime::objc_registerClass("UIImpactFeedbackGenerator", &runtime::NSObject::runtimeClass);
}

std::shared_ptr<UIImpactFeedbackGenerator> UIImpactFeedbackGenerator::create(UIImpactFeedbackStyle style) {
  return UIImpactFeedbackGenerator::alloc(style);
}

void UIImpactFeedbackGenerator::impactOccurred() {
  ++impactsOccurred;
}

int64_t UIImpactFeedbackGenerator::impactCount() {
  return impactsOccurred;
}

void UIImpactFeedbackGenerator::resetImpactCount() {
  impactsOccurred = 0;
}

}  // namespace platform::uikit
