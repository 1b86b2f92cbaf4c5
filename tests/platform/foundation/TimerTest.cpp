#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/foundation/NSRunLoop.h"
#include "platform/foundation/NSTimer.h"
#include "platform/runtime/Runtime.h"
#include "tests/platform/springboard/FreshProcessState.h"

namespace platform::foundation {
namespace {

using runtime::Class;
using runtime::id;
using runtime::NSObject;
using runtime::Selector;

constexpr double kEps = 1e-9;
constexpr Selector<void(id)> tick{"tick:"};
constexpr Selector<void(id)> tickOnce{"tickOnce:"};

struct Firing {
  NSTimer* timer;
  double at;  // the clock reading inside the callback
};
std::vector<Firing> firings;

// A timer's target, as the product's controllers are: it records each firing, and `tickOnce:`
// invalidates the timer from inside its own callback.
class Sleeper : public NSObject {
 public:
  static Class* runtimeClass() {
    return runtime::objc_registerClass("TimerTestSleeper", &NSObject::runtimeClass, [](Class* cls) {
      runtime::class_addMethod(cls, tick, [](id, id timer) {
        firings.push_back({static_cast<NSTimer*>(timer), NSRunLoop::mainRunLoop().currentTime()});
      });
      runtime::class_addMethod(cls, tickOnce, [](id, id timer) {
        firings.push_back({static_cast<NSTimer*>(timer), NSRunLoop::mainRunLoop().currentTime()});
        static_cast<NSTimer*>(timer)->invalidate();
      });
    });
  }
  Class* isa() const override { return runtimeClass(); }
};

class TimerTest : public ::testing::Test {
 protected:
  springboard::FreshProcessState freshProcess_;

  void SetUp() override { firings.clear(); }

  std::vector<double> firedAt() const {
    std::vector<double> result;
    result.reserve(firings.size());
    for (const Firing& firing : firings) result.push_back(firing.at - start);
    return result;
  }

  NSRunLoop& loop = NSRunLoop::mainRunLoop();
  const double start = loop.currentTime();
  std::shared_ptr<Sleeper> sleeper = std::make_shared<Sleeper>();
};

TEST_F(TimerTest, IsARuntimeClass) {
  auto timer = NSTimer::timerWithTimeInterval(1, sleeper, "tick:", false);
  EXPECT_EQ(runtime::NSClassFromString("NSTimer"), NSTimer::runtimeClass());
  EXPECT_TRUE(timer->isKindOfClass(runtime::NSClassFromString("NSObject")));
}

TEST_F(TimerTest, OneShotFiresAtItsFireDateOnceAndThenIsInvalid) {
  auto timer = NSTimer::scheduledTimerWithTimeInterval(1, sleeper, "tick:", false);
  EXPECT_NEAR(timer->fireDate() - start, 1, kEps);
  loop.advance(0.999);
  EXPECT_TRUE(firings.empty());
  EXPECT_TRUE(timer->isValid());
  loop.advance(0.001);
  ASSERT_EQ(firings.size(), 1u);
  EXPECT_EQ(firings[0].timer, timer.get());
  EXPECT_NEAR(firedAt()[0], 1.001, kEps);
  EXPECT_FALSE(timer->isValid());
  EXPECT_NEAR(timer->fireDate() - start, 1, kEps);  // still readable once passed
  loop.advance(10);
  EXPECT_EQ(firings.size(), 1u);
  EXPECT_EQ(loop.pendingEventCount(), 0u);
}

TEST_F(TimerTest, RepeatingTimerKeepsToItsGridDespiteTheLatency) {
  auto timer = NSTimer::scheduledTimerWithTimeInterval(1, sleeper, "tick:", true);
  loop.advance(3.999);
  EXPECT_EQ(firings.size(), 3u);
  loop.advance(0.001);
  ASSERT_EQ(firings.size(), 4u);
  for (size_t i = 0; i < 4; ++i) EXPECT_NEAR(firedAt()[i], i + 1.001, kEps);
  EXPECT_NEAR(timer->fireDate() - start, 5, kEps);
}

TEST_F(TimerTest, DefaultTimerBlockedByTrackingFiresOnceAndResumesOnItsGrid) {
  auto timer = NSTimer::scheduledTimerWithTimeInterval(1, sleeper, "tick:", true);
  loop.setCurrentMode(NSRunLoopMode::Tracking);
  loop.advance(10.5);
  EXPECT_TRUE(firings.empty());
  EXPECT_TRUE(timer->isValid());
  EXPECT_LT(timer->fireDate(), loop.currentTime());  // overdue, and the owner can tell

  loop.setCurrentMode(NSRunLoopMode::Default);
  loop.runDueEvents();
  EXPECT_EQ(firedAt(), std::vector<double>{10.5});
  EXPECT_NEAR(timer->fireDate() - start, 11, kEps);
  loop.advance(0.499);
  EXPECT_EQ(firings.size(), 1u);
  loop.advance(0.001);
  ASSERT_EQ(firings.size(), 2u);
  EXPECT_NEAR(firedAt()[1], 11.001, kEps);
}

TEST_F(TimerTest, CommonModeTimerFiresWhileTracking) {
  auto common = NSTimer::timerWithTimeInterval(1, sleeper, "tick:", true);
  loop.addTimer(common, NSRunLoopMode::Common);
  // Added for a second mode, a default timer fires in both.
  auto both = NSTimer::scheduledTimerWithTimeInterval(1, sleeper, "tick:", true);
  loop.addTimer(both, NSRunLoopMode::Tracking);
  NSTimer::scheduledTimerWithTimeInterval(1, sleeper, "tick:", true);
  loop.setCurrentMode(NSRunLoopMode::Tracking);
  loop.advance(2);
  ASSERT_EQ(firings.size(), 4u);
  for (const Firing& firing : firings)
    EXPECT_TRUE(firing.timer == common.get() || firing.timer == both.get());
}

TEST_F(TimerTest, RunLoopKeepsAScheduledTimerAliveUntilInvalidated) {
  std::weak_ptr<NSTimer> watch = NSTimer::scheduledTimerWithTimeInterval(1, sleeper, "tick:", true);
  loop.advance(2);
  EXPECT_EQ(firings.size(), 2u);
  ASSERT_FALSE(watch.expired());
  watch.lock()->invalidate();
  EXPECT_TRUE(watch.expired());
  loop.advance(2);
  EXPECT_EQ(firings.size(), 2u);
}

TEST_F(TimerTest, InvalidateFromItsOwnCallbackStopsItAndReleasesTheTarget) {
  std::weak_ptr<Sleeper> target = sleeper;
  auto timer = NSTimer::scheduledTimerWithTimeInterval(1, std::move(sleeper), "tickOnce:", true);
  EXPECT_FALSE(target.expired());  // retained by the timer alone
  loop.advance(5);
  EXPECT_EQ(firings.size(), 1u);
  EXPECT_FALSE(timer->isValid());
  EXPECT_TRUE(target.expired());
  EXPECT_EQ(loop.pendingEventCount(), 0u);
}

TEST_F(TimerTest, LastReferenceDroppedInItsOwnBlockIsSafe) {
  std::shared_ptr<NSTimer> held;
  held = NSTimer::scheduledTimerWithTimeInterval(1, true, [&](NSTimer* timer) {
    timer->invalidate();
    held.reset();
    firings.push_back({timer, loop.currentTime()});
  });
  loop.advance(3);
  EXPECT_EQ(firings.size(), 1u);
}

TEST_F(TimerTest, SetFireDateMovesTheNextFiringAndTheGrid) {
  auto timer = NSTimer::scheduledTimerWithTimeInterval(10, sleeper, "tick:", true);
  timer->setFireDate(start + 2);
  loop.advance(1.999);
  EXPECT_TRUE(firings.empty());
  loop.advance(0.001);
  EXPECT_EQ(firings.size(), 1u);
  EXPECT_NEAR(timer->fireDate() - start, 12, kEps);

  auto unscheduled = NSTimer::timerWithTimeInterval(1, sleeper, "tick:", false);
  unscheduled->setFireDate(start + 3);
  loop.advance(5);
  EXPECT_EQ(firings.size(), 1u);  // not in the run loop yet
  loop.addTimer(unscheduled, NSRunLoopMode::Default);
  loop.runDueEvents();
  EXPECT_EQ(firings.size(), 2u);
}

TEST_F(TimerTest, SetFireDateFromTheCallbackWins) {
  auto timer = NSTimer::scheduledTimerWithTimeInterval(1, true, [&](NSTimer* timer) {
    firings.push_back({timer, loop.currentTime()});
    timer->setFireDate(loop.currentTime() + 5);
  });
  loop.advance(7);
  EXPECT_EQ(firedAt().size(), 2u);
  EXPECT_NEAR(firedAt()[1], 6.002, kEps);
}

TEST_F(TimerTest, FireLeavesARepeatingScheduleAloneAndEndsAOneShot) {
  auto repeating = NSTimer::scheduledTimerWithTimeInterval(1, sleeper, "tick:", true);
  loop.advance(0.5);
  repeating->fire();
  EXPECT_NEAR(repeating->fireDate() - start, 1, kEps);
  loop.advance(0.5);
  EXPECT_EQ(firedAt().size(), 2u);

  auto oneShot = NSTimer::scheduledTimerWithTimeInterval(60, sleeper, "tick:", false);
  oneShot->fire();
  EXPECT_EQ(firedAt().size(), 3u);
  EXPECT_FALSE(oneShot->isValid());
  oneShot->fire();
  EXPECT_EQ(firedAt().size(), 3u);
}

TEST_F(TimerTest, ZeroIntervalRepeatingTimerDoesNotHangTheLoop) {
  auto timer = NSTimer::scheduledTimerWithTimeInterval(0, true, [](NSTimer*) {});
  EXPECT_GT(timer->timeInterval(), 0);
  loop.advance(0.01);
  EXPECT_TRUE(timer->isValid());
}

}  // namespace
}  // namespace platform::foundation
