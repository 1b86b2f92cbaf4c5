#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/Dispatch.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/foundation/NSTimer.h"

namespace platform::foundation {
namespace {

constexpr double kEps = 1e-9;

class RunLoopTest : public ::testing::Test {
 protected:
  // From the clock's first reading: the step sums below come out exact only near zero, whatever
  // the cases before advanced it to.
  void SetUp() override {
    loop.reset();
    loop.rewindClock();
    start = loop.currentTime();
  }
  void TearDown() override {
    loop.setRealtime(false);
    loop.reset();
  }

  double elapsed() const { return loop.currentTime() - start; }
  // Schedules a record of the clock reading, relative to the test's start, under `name`.
  void record(double at, const std::string& name, NSRunLoopMode mode = NSRunLoopMode::Common) {
    loop.schedule(
        start + at,
        [this, name] {
          ran.push_back({name, elapsed()});
        },
        mode);
  }
  std::vector<std::string> names() const {
    std::vector<std::string> result;
    for (const auto& [name, at] : ran) result.push_back(name);
    return result;
  }

  NSRunLoop& loop = NSRunLoop::mainRunLoop();
  double start = 0;
  std::vector<std::pair<std::string, double>> ran;
};

TEST_F(RunLoopTest, EventRunsOneMillisecondAfterItIsDueAndNotBefore) {
  record(1.0, "due");
  loop.advance(0.999);
  EXPECT_TRUE(ran.empty());
  EXPECT_NEAR(elapsed(), 0.999, kEps);
  loop.advance(0.001);
  ASSERT_EQ(ran.size(), 1u);
  EXPECT_NEAR(ran[0].second, 1.001, kEps);
  EXPECT_NEAR(elapsed(), 1.001, kEps);  // the clock never goes back to the target
  EXPECT_EQ(loop.pendingEventCount(), 0u);
}

TEST_F(RunLoopTest, EventsRunInTimeOrderAndFirstInFirstOutAtEqualTimes) {
  record(2.0, "late");
  record(1.0, "first");
  record(1.0, "second");
  record(0.5, "early");
  record(1.0, "third");
  loop.advance(5);
  EXPECT_EQ(names(), (std::vector<std::string>{"early", "first", "second", "third", "late"}));
  EXPECT_NEAR(ran[2].second, 1.001, kEps);  // equal times share one reading; latency does not pile up
  EXPECT_NEAR(elapsed(), 5, kEps);
}

TEST_F(RunLoopTest, WorkScheduledWhileDrainingRunsInTheSameAdvanceOnlyWhenDueWithinIt) {
  loop.schedule(start + 1, [&] {
    record(1.5, "inside");
    record(3.5, "beyond");
  });
  loop.advance(3);
  EXPECT_EQ(names(), std::vector<std::string>{"inside"});
  EXPECT_NEAR(ran[0].second, 1.501, kEps);
  EXPECT_EQ(loop.pendingEventCount(), 1u);
}

TEST_F(RunLoopTest, DefaultModeWaitsOutTrackingAndRunsOverdueWhenTrackingEnds) {
  record(1, "default", NSRunLoopMode::Default);
  record(1, "common", NSRunLoopMode::Common);
  record(1, "tracking", NSRunLoopMode::Tracking);
  loop.setCurrentMode(NSRunLoopMode::Tracking);
  loop.advance(10);
  EXPECT_EQ(names(), (std::vector<std::string>{"common", "tracking"}));
  loop.setCurrentMode(NSRunLoopMode::Default);
  loop.runDueEvents();
  EXPECT_EQ(names(), (std::vector<std::string>{"common", "tracking", "default"}));
  EXPECT_NEAR(ran[2].second, 10, kEps);  // overdue work runs now, not back when it was due
  record(11, "tracking again", NSRunLoopMode::Tracking);
  loop.advance(5);
  EXPECT_EQ(ran.size(), 3u);  // tracking-only work waits for tracking
}

TEST_F(RunLoopTest, CancelDropsTheEventAndReleasesWhatItHolds) {
  auto held = std::make_shared<int>(0);
  std::weak_ptr<int> watch = held;
  uint64_t id = loop.schedule(start + 1, [held = std::move(held)] { ++*held; });
  loop.cancel(id);
  loop.cancel(id);
  loop.cancel(987654321);
  EXPECT_TRUE(watch.expired());
  EXPECT_EQ(loop.pendingEventCount(), 0u);
  loop.advance(2);
}

TEST_F(RunLoopTest, AsyncBlockRunsAfterTheCurrentEventOneLatencyLater) {
  loop.schedule(start + 1, [&] {
    dispatch_async_main([&] { ran.push_back({"async", elapsed()}); });
    ran.push_back({"event", elapsed()});
  });
  record(1, "same time");
  loop.advance(2);
  EXPECT_EQ(names(), (std::vector<std::string>{"event", "same time", "async"}));
  EXPECT_NEAR(ran[2].second, 1.002, kEps);
}

TEST_F(RunLoopTest, DispatchAfterChainTakesItsLatencyAtEveryStep) {
  // A fade of 150 steps of 0.1 s: each step queues the next from the clock it runs at.
  int steps = 0;
  std::function<void()> step = [&] {
    if (++steps < 150) dispatch_after(0.1, step);
  };
  dispatch_after(0.1, step);
  loop.advance(15.148);  // step 150 is due at 149 * 0.101 + 0.1
  EXPECT_EQ(steps, 149);
  loop.advance(0.001);
  EXPECT_EQ(steps, 150);
  EXPECT_NEAR(elapsed(), 150 * 0.101, 1e-6);
}

TEST_F(RunLoopTest, ResetDropsEverythingButTheClock) {
  class Target : public runtime::NSObject {};
  auto target = std::make_shared<Target>();
  std::weak_ptr<Target> watch = target;
  auto timer = NSTimer::scheduledTimerWithTimeInterval(1, std::move(target), "tick:", true);
  record(1, "event");
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  loop.addInputSource(fds[0], [&] { ran.push_back({"input", elapsed()}); });
  loop.setCurrentMode(NSRunLoopMode::Tracking);
  loop.advance(0.5);

  loop.reset();
  EXPECT_NEAR(elapsed(), 0.5, kEps);
  EXPECT_EQ(loop.currentMode(), NSRunLoopMode::Default);
  EXPECT_EQ(loop.pendingEventCount(), 0u);
  EXPECT_FALSE(timer->isValid());
  EXPECT_TRUE(watch.expired());
  ASSERT_EQ(write(fds[1], "x", 1), 1);
  loop.advance(5);
  EXPECT_TRUE(ran.empty());
  close(fds[0]);
  close(fds[1]);
}

class InputSourceTest : public RunLoopTest {
 protected:
  void SetUp() override {
    RunLoopTest::SetUp();
    ASSERT_EQ(pipe(fds), 0);
  }
  void TearDown() override {
    for (int fd : fds) {
      if (fd >= 0) close(fd);
    }
    RunLoopTest::TearDown();
  }
  void post() { ASSERT_EQ(write(fds[1], "x", 1), 1); }
  // Reads what arrived, as a notification centre does, and records it.
  void addReader(std::function<void()> then = {}) {
    loop.addInputSource(fds[0], [this, then = std::move(then)] {
      char byte = 0;
      ASSERT_EQ(read(fds[0], &byte, 1), 1);
      ran.push_back({"input", elapsed()});
      if (then) then();
    });
  }

  int fds[2] = {-1, -1};
};

TEST_F(InputSourceTest, ArrivedInputIsDeliveredOnTheNextRunAtTheCurrentTime) {
  addReader();
  loop.runDueEvents();
  EXPECT_TRUE(ran.empty());
  loop.advance(1);
  post();
  loop.runDueEvents();
  ASSERT_EQ(ran.size(), 1u);
  EXPECT_NEAR(ran[0].second, 1, kEps);
  loop.removeInputSource(fds[0]);
  post();
  loop.advance(1);
  EXPECT_EQ(ran.size(), 1u);
}

TEST_F(InputSourceTest, SourceClosedWithoutBeingRemovedIsDropped) {
  addReader();
  close(fds[0]);
  fds[0] = -1;
  loop.runDueEvents();
  loop.runDueEvents();
  EXPECT_TRUE(ran.empty());
}

TEST_F(InputSourceTest, RealtimeRunWakesForInputAndStops) {
  post();
  addReader([this] { loop.stop(); });
  loop.runRealtime(3600);  // returns at once: the input is there and stops the loop
  EXPECT_EQ(names(), std::vector<std::string>{"input"});
}

TEST_F(RunLoopTest, RealtimeClockContinuesFromTheVirtualOneAndRunsDueWork) {
  loop.advance(100);
  loop.setRealtime(true);
  EXPECT_GE(elapsed(), 100);
  EXPECT_LT(elapsed(), 110);
  dispatch_after(0, [&] {
    ran.push_back({"due", elapsed()});
    loop.stop();
  });
  loop.runRealtime(3600);
  EXPECT_EQ(names(), std::vector<std::string>{"due"});
  loop.setRealtime(false);
  const double frozen = loop.currentTime();
  EXPECT_EQ(loop.currentTime(), frozen);
}

}  // namespace
}  // namespace platform::foundation
