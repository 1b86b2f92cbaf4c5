#include <gtest/gtest.h>

#include <numbers>

#include "platform/uikit/CGAffineTransform.h"
#include "platform/uikit/CGGeometry.h"

namespace platform::uikit {
namespace {

TEST(CGGeometryTest, ARectContainsItsMinimumEdgesAndNotItsMaximumEdges) {
  CGRect grown = CGRectInset(CGRectMake(0, 0, 20, 20), -20, -20);
  EXPECT_EQ(grown, CGRectMake(-20, -20, 60, 60));
  EXPECT_TRUE(CGRectContainsPoint(grown, {-20, -20}));
  EXPECT_TRUE(CGRectContainsPoint(grown, {39.9, 39.9}));
  EXPECT_FALSE(CGRectContainsPoint(grown, {40, 10}));
  EXPECT_FALSE(CGRectContainsPoint(CGRectZero, {0, 0}));
  // A negative size reaches the other way.
  EXPECT_TRUE(CGRectContainsPoint(CGRectMake(10, 10, -10, -10), {5, 5}));
}

TEST(CGGeometryTest, TransformsComposeInTheOrderTheyAreApplied) {
  CGAffineTransform scaleThenMove =
      CGAffineTransformConcat(CGAffineTransformMakeScale(2, 2), CGAffineTransformMakeTranslation(10, 0));
  EXPECT_EQ(CGPointApplyAffineTransform({1, 1}, scaleThenMove), (CGPoint{12, 2}));
  EXPECT_EQ(CGAffineTransformTranslate(CGAffineTransformMakeScale(2, 2), 10, 0),
            CGAffineTransformMake(2, 0, 0, 2, 20, 0));

  CGAffineTransform halfTurn = CGAffineTransformRotate(CGAffineTransformIdentity, std::numbers::pi);
  CGPoint turned = CGPointApplyAffineTransform({1, 0}, halfTurn);
  EXPECT_NEAR(turned.x, -1, 1e-12);
  EXPECT_NEAR(turned.y, 0, 1e-12);
  CGAffineTransform fullTurn = CGAffineTransformRotate(halfTurn, std::numbers::pi);
  EXPECT_NEAR(fullTurn.a, 1, 1e-12);
  EXPECT_NEAR(fullTurn.b, 0, 1e-12);
  EXPECT_FALSE(CGAffineTransformIsIdentity(halfTurn));
}

}  // namespace
}  // namespace platform::uikit
