#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/NSRunLoop.h"
#include "platform/foundation/NSTimer.h"
#include "platform/foundation/PerformSelector.h"
#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIControl.h"
#include "tests/platform/springboard/FreshProcessState.h"

namespace platform::runtime {
namespace {

using foundation::NSRunLoop;
using foundation::NSTimer;

constexpr Selector<void(id)> tapped{"tapped:"};
constexpr Selector<void()> refresh{"refresh"};
constexpr Selector<void(id)> neverAdded{"neverAdded:"};

struct Call {
  std::string method;
  id argument;
};
std::vector<Call> calls;

class Target : public NSObject {
 public:
  static Class* runtimeClass() {
    return objc_registerClass("TypedSelectorTarget", &NSObject::runtimeClass, [](Class* cls) {
      class_addMethod(cls, tapped, [](id, id sender) { calls.push_back({"tapped:", sender}); });
      class_addMethod(cls, refresh, [](id) { calls.push_back({"refresh", nullptr}); });
    });
  }
  Class* isa() const override { return runtimeClass(); }
};

// The typed forms send the same messages the names would: each reaches its own method, with the
// sender, the timer or the object where the method takes one.
class TypedSelectorTest : public ::testing::Test {
 protected:
  springboard::FreshProcessState freshProcess_;

  void SetUp() override { calls.clear(); }

  NSRunLoop& loop = NSRunLoop::mainRunLoop();
  std::shared_ptr<Target> target = std::make_shared<Target>();
};

TEST_F(TypedSelectorTest, TargetActionReachesTheMethodOfEachSelectorUntilRemoved) {
  auto control = uikit::UIControl::create();
  control->addTarget(target.get(), tapped, uikit::UIControlEventTouchUpInside);
  control->addTarget(target.get(), refresh, uikit::UIControlEventValueChanged);
  EXPECT_EQ(control->actionsForTarget(target.get(), uikit::UIControlEventTouchUpInside),
            std::vector<std::string>{"tapped:"});

  control->sendActionsForControlEvents(uikit::UIControlEventTouchUpInside);
  control->sendActionsForControlEvents(uikit::UIControlEventValueChanged);
  control->removeTarget(target.get(), tapped, uikit::UIControlEventTouchUpInside);
  control->sendActionsForControlEvents(uikit::UIControlEventTouchUpInside |
                                       uikit::UIControlEventValueChanged);

  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].method, "tapped:");
  EXPECT_EQ(calls[0].argument, control.get());
  EXPECT_EQ(calls[1].method, "refresh");
  EXPECT_EQ(calls[2].method, "refresh");
}

TEST_F(TypedSelectorTest, TimersAndDelayedPerformsSendTheirSelectorWhenDue) {
  auto timer = NSTimer::scheduledTimerWithTimeInterval(1.0, target, tapped, false);
  foundation::performSelectorAfterDelay(target, refresh, nullptr, 2.0);
  loop.advance(0.999);
  EXPECT_TRUE(calls.empty());
  loop.advance(0.001);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].method, "tapped:");
  EXPECT_EQ(calls[0].argument, timer.get());
  loop.advance(1.0);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1].method, "refresh");
}

TEST_F(TypedSelectorTest, RespondsToSelectorAnswersForTheSelectorsName) {
  EXPECT_TRUE(target->respondsToSelector(tapped));
  EXPECT_TRUE(target->respondsToSelector(refresh));
  EXPECT_FALSE(target->respondsToSelector(neverAdded));
}

}  // namespace
}  // namespace platform::runtime
