#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/foundation/NSRunLoop.h"
#include "platform/foundation/NSTimer.h"
#include "platform/foundation/PerformSelector.h"
#include "platform/runtime/Runtime.h"
#include "tests/platform/springboard/FreshProcessState.h"

namespace platform::foundation {
namespace {

using runtime::Class;
using runtime::id;
using runtime::NSObject;
using runtime::Selector;

constexpr Selector<void()> dismissCurrentView{"dismissCurrentView"};
constexpr Selector<void(id)> show{"show:"};

struct Call {
  id self;
  id object;
  double at;
};
std::vector<Call> calls;

class Panel : public NSObject {
 public:
  static Class* runtimeClass() {
    return runtime::objc_registerClass("PerformTestPanel", &NSObject::runtimeClass, [](Class* cls) {
      runtime::class_addMethod(cls, dismissCurrentView, [](id self) {
        calls.push_back({self, nullptr, NSRunLoop::mainRunLoop().currentTime()});
      });
      runtime::class_addMethod(cls, show, [](id self, id object) {
        calls.push_back({self, object, NSRunLoop::mainRunLoop().currentTime()});
      });
    });
  }
  Class* isa() const override { return runtimeClass(); }
};

class PerformSelectorTest : public ::testing::Test {
 protected:
  springboard::FreshProcessState freshProcess_;

  void SetUp() override { calls.clear(); }

  NSRunLoop& loop = NSRunLoop::mainRunLoop();
  const double start = loop.currentTime();
  std::shared_ptr<Panel> panel = std::make_shared<Panel>();
};

TEST_F(PerformSelectorTest, RunsAfterTheDelayRetainingTargetAndObjectUntilThen) {
  auto object = std::make_shared<Panel>();
  std::weak_ptr<Panel> watchTarget = panel;
  std::weak_ptr<Panel> watchObject = object;
  Panel* expectedTarget = panel.get();
  Panel* expectedObject = object.get();
  performSelectorAfterDelay(std::move(panel), "show:", std::move(object), 2);
  loop.advance(1.999);
  EXPECT_TRUE(calls.empty());
  EXPECT_FALSE(watchTarget.expired());
  EXPECT_FALSE(watchObject.expired());
  loop.advance(0.001);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].self, expectedTarget);
  EXPECT_EQ(calls[0].object, expectedObject);
  EXPECT_NEAR(calls[0].at - start, 2.001, 1e-9);
  EXPECT_TRUE(watchTarget.expired());
  EXPECT_TRUE(watchObject.expired());
}

TEST_F(PerformSelectorTest, WaitsOutTracking) {
  performSelectorAfterDelay(panel, "dismissCurrentView", nullptr, 1);
  loop.setCurrentMode(NSRunLoopMode::Tracking);
  loop.advance(5);
  EXPECT_TRUE(calls.empty());
  loop.setCurrentMode(NSRunLoopMode::Default);
  loop.runDueEvents();
  EXPECT_EQ(calls.size(), 1u);
}

TEST_F(PerformSelectorTest, CancelEndsOnlyThatTargetsPerformsAndReleasesIt) {
  auto other = std::make_shared<Panel>();
  std::weak_ptr<Panel> watch = panel;
  performSelectorAfterDelay(panel, "dismissCurrentView", nullptr, 1);
  performSelectorAfterDelay(panel, "show:", nullptr, 2);
  performSelectorAfterDelay(other, "dismissCurrentView", nullptr, 1);
  auto timer = NSTimer::scheduledTimerWithTimeInterval(1, panel, "show:", false);
  cancelPreviousPerformRequestsWithTarget(panel.get());
  panel.reset();
  EXPECT_FALSE(watch.expired());  // the timer still holds it
  loop.advance(3);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].self, other.get());
  EXPECT_EQ(calls[1].object, timer.get());
  EXPECT_TRUE(watch.expired());
}

}  // namespace
}  // namespace platform::foundation
