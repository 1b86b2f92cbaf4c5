#include <gtest/gtest.h>

#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIImpactFeedbackGenerator.h"
#include "platform/uikit/UIKit.h"
#include "tweak/support/HapticFeedbackHelper.h"

namespace lunadoze {
namespace {

using platform::uikit::UIImpactFeedbackGenerator;

TEST(HapticFeedbackHelperTest, EachCallPlaysOneImpact) {
  platform::uikit::loadUIKit();
  HapticFeedbackHelper::sendImpact();
  HapticFeedbackHelper::sendImpactWithStyle(platform::uikit::UIImpactFeedbackStyleHeavy);
  EXPECT_EQ(UIImpactFeedbackGenerator::impactCount(), 2);
}

TEST(HapticFeedbackHelperTest, ASystemWithoutImpactFeedbackPlaysNone) {
  platform::runtime::objc_disposeAllClasses();
  HapticFeedbackHelper::sendImpact();
  EXPECT_EQ(UIImpactFeedbackGenerator::impactCount(), 0);
}

}  // namespace
}  // namespace lunadoze
