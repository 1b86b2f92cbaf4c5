#include <gtest/gtest.h>

#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIImpactFeedbackGenerator.h"
#include "platform/uikit/UIKit.h"
#include "tests/tweak/core/FreshTweakProcessState.h"
#include "tweak/support/HapticFeedbackHelper.h"

namespace lunadoze {
namespace {

using platform::uikit::UIImpactFeedbackGenerator;

class HapticFeedbackHelperTest : public ::testing::Test {
  FreshTweakProcessState freshProcess_;
};

TEST_F(HapticFeedbackHelperTest, EachCallPlaysOneImpact) {
  platform::uikit::loadUIKit();
  HapticFeedbackHelper::sendImpact();
  HapticFeedbackHelper::sendImpactWithStyle(platform::uikit::UIImpactFeedbackStyleHeavy);
  EXPECT_EQ(UIImpactFeedbackGenerator::impactCount(), 2);
}

TEST_F(HapticFeedbackHelperTest, ASystemWithoutImpactFeedbackPlaysNone) {
  platform::runtime::objc_disposeAllClasses();
  HapticFeedbackHelper::sendImpact();
  EXPECT_EQ(UIImpactFeedbackGenerator::impactCount(), 0);
}

}  // namespace
}  // namespace lunadoze
