#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <type_traits>

#include "platform/foundation/NSTimer.h"
#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIButton.h"
#include "tests/platform/springboard/FreshProcessState.h"

namespace platform::runtime {
namespace {

// Objects come only from alloc(): no one makes one by value, or owns one without a shared_ptr.
static_assert(!std::is_default_constructible_v<uikit::UIButton>);
static_assert(!std::is_constructible_v<foundation::NSTimer, double, bool, std::shared_ptr<NSObject>,
                                       std::string, std::function<void(foundation::NSTimer*)>>);

int alive = 0;

class Counted : public NSObject {
  RUNTIME_CLASS_WITH_CONSTRUCTORS(Counted)
  explicit Counted(std::string label) : label_(std::move(label)) { ++alive; }

 public:
  ~Counted() override { --alive; }
  const std::string& label() const { return label_; }

 private:
  std::string label_;
};

Class* Counted::runtimeClass() {
  return objc_registerClass("RuntimeClassTestCounted", &NSObject::runtimeClass);
}

class RuntimeClassTest : public ::testing::Test {
 protected:
  springboard::FreshProcessState freshProcess_;
};

TEST_F(RuntimeClassTest, AllocMakesAnObjectOfItsClassThatKnowsItsOwner) {
  auto counted = Counted::alloc("first");
  EXPECT_EQ(alive, 1);
  EXPECT_EQ(counted->label(), "first");
  EXPECT_EQ(counted->isa()->name(), "RuntimeClassTestCounted");
  // Target-action and timers need a strong reference from the object itself.
  EXPECT_EQ(counted->retained<Counted>(), counted);
  counted.reset();
  EXPECT_EQ(alive, 0);
}

TEST_F(RuntimeClassTest, ASubclassAllocsItselfNotItsSuperclass) {
  auto button = uikit::UIButton::alloc();
  EXPECT_TRUE(button->isKindOfClass(uikit::UIControl::runtimeClass()));
  EXPECT_EQ(button->isa(), uikit::UIButton::runtimeClass());
}

}  // namespace
}  // namespace platform::runtime
