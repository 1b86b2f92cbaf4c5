#pragma once

#include <cstdint>
#include <memory>

#include "platform/runtime/NSObject.h"

namespace platform::uikit {

enum UIImpactFeedbackStyle : int64_t {
  UIImpactFeedbackStyleLight = 0,
  UIImpactFeedbackStyleMedium = 1,
  UIImpactFeedbackStyleHeavy = 2,
};

// Plays impact haptics. Each impact played in the process is counted, so that what a person
// would have felt can be read back.
class UIImpactFeedbackGenerator : public runtime::NSObject {
  RUNTIME_CLASS_WITH_CONSTRUCTORS(UIImpactFeedbackGenerator)
  explicit UIImpactFeedbackGenerator(UIImpactFeedbackStyle style) : style_(style) {}

 public:
  // initWithStyle:.
  static std::shared_ptr<UIImpactFeedbackGenerator> create(UIImpactFeedbackStyle style);

  UIImpactFeedbackStyle style() const { return style_; }
  // Readies the engine for an impact soon; it changes nothing that can be felt.
  void prepare() { prepared_ = true; }
  bool isPrepared() const { return prepared_; }
  void impactOccurred();

  // The impacts played in this process since it started.
  static int64_t impactCount();
  // A process that ends: the next one starts counting from 0.
  static void resetImpactCount();

 private:
  UIImpactFeedbackStyle style_;
  bool prepared_ = false;
};

}  // namespace platform::uikit
