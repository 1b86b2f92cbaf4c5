#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/runtime/Runtime.h"
#include "tests/platform/springboard/FreshProcessState.h"

namespace platform::runtime {
namespace {

constexpr Selector<void()> layoutSubviews{"layoutSubviews"};
constexpr Selector<int(int)> twice{"twice:"};
constexpr Selector<void(id)> buttonTapped{"buttonTapped:"};
constexpr Selector<void()> refresh{"refresh"};

std::vector<std::string> calls;

class Base : public NSObject {
 public:
  static Class* runtimeClass() {
    return objc_registerClass("Base", &NSObject::runtimeClass, [](Class* cls) {
      class_addMethod(cls, layoutSubviews, [](id) { calls.push_back("Base layout"); });
      class_addMethod(cls, twice, [](id, int value) { return value * 2; });
    });
  }
  Class* isa() const override { return runtimeClass(); }
};

class Derived : public Base {
 public:
  static Class* runtimeClass() { return objc_registerClass("Derived", &Base::runtimeClass); }
  Class* isa() const override { return runtimeClass(); }
};

class RuntimeTest : public ::testing::Test {
 protected:
  springboard::FreshProcessState freshProcess_;

  void SetUp() override { calls.clear(); }
};

Selector<void()>::Imp previousLayout;

TEST_F(RuntimeTest, ClassesAreFoundByNameOnlyOnceRegistered) {
  EXPECT_EQ(objc_getClass("Base"), nullptr);
  Class* base = Base::runtimeClass();
  EXPECT_EQ(objc_getClass("Base"), base);
  EXPECT_EQ(NSClassFromString("Base"), base);
  EXPECT_EQ(Derived::runtimeClass()->superclass(), base);
  EXPECT_EQ(objc_getClass("SBDashBoardMediaControlsViewController"), nullptr);
}

TEST_F(RuntimeTest, HookRunsReplacementAndHandsBackThePreviousImplementation) {
  Base object;
  Class* cls = Base::runtimeClass();
  previousLayout = nullptr;
  MSHookMessageEx(
      cls, layoutSubviews,
      [](id self) {
        previousLayout(self);
        calls.push_back("hook");
      },
      &previousLayout);
  ASSERT_NE(previousLayout, nullptr);
  send(&object, layoutSubviews);
  EXPECT_EQ(calls, (std::vector<std::string>{"Base layout", "hook"}));
}

TEST_F(RuntimeTest, HookOfAnInheritedMethodOverridesOnlyTheSubclass) {
  Base base;
  Derived derived;
  previousLayout = nullptr;
  MSHookMessageEx(
      Derived::runtimeClass(), layoutSubviews, [](id) { calls.push_back("derived hook"); }, &previousLayout);
  send(&base, layoutSubviews);
  send(&derived, layoutSubviews);
  previousLayout(&derived);
  EXPECT_EQ(calls, (std::vector<std::string>{"Base layout", "derived hook", "Base layout"}));
}

// Lookups are remembered per class; what was found (or not found) before must not outlive a change.
TEST_F(RuntimeTest, SendsSeeMethodsAddedAndHookedAfterEarlierSends) {
  Base base;
  Derived derived;
  send(&derived, layoutSubviews);
  EXPECT_FALSE(derived.respondsToSelector("refresh"));

  class_addMethod(Base::runtimeClass(), refresh, [](id) { calls.push_back("refresh"); });
  ASSERT_TRUE(derived.respondsToSelector("refresh"));
  send(&derived, refresh);

  previousLayout = nullptr;
  MSHookMessageEx(
      Derived::runtimeClass(), layoutSubviews, [](id) { calls.push_back("derived hook"); }, &previousLayout);
  send(&derived, layoutSubviews);
  MSHookMessageEx(
      Base::runtimeClass(), layoutSubviews, [](id) { calls.push_back("base hook"); }, &previousLayout);
  send(&base, layoutSubviews);
  send(&derived, layoutSubviews);
  EXPECT_EQ(calls, (std::vector<std::string>{"Base layout", "refresh", "derived hook", "base hook",
                                             "derived hook"}));
}

// Lookups are also remembered by where the name is stored, the misses as the methods found: a name
// written anew at that place is another selector.
TEST_F(RuntimeTest, ANameRewrittenInPlaceIsLookedUpAfresh) {
  Base base;
  std::string name = "layoutSubviewz";
  const char* storage = name.data();
  EXPECT_FALSE(base.respondsToSelector(name));
  name.back() = 's';
  ASSERT_EQ(name.data(), storage);
  EXPECT_TRUE(base.respondsToSelector(name));
  name.back() = 'z';
  EXPECT_FALSE(base.respondsToSelector(name));
  name = "twice:";
  ASSERT_EQ(name.data(), storage);
  EXPECT_TRUE(base.respondsToSelector(name));
}

// More selectors than a class keeps at hand, found and not found, asked in turn: each answers for
// itself, and a method added later to the superclass is found by the subclass that missed it.
TEST_F(RuntimeTest, ManySelectorsEachFindTheirOwnMethod) {
  std::vector<std::string> names;
  names.reserve(200);
  for (int index = 0; index < 200; ++index) names.push_back("selector" + std::to_string(index) + ":");
  for (size_t index = 0; index < names.size(); index += 2) {
    class_addMethod(Base::runtimeClass(), Selector<int(int)>{names[index].c_str()},
                    [](id, int value) { return value; });
  }
  const Class* derived = Derived::runtimeClass();
  for (int round = 0; round < 2; ++round) {
    for (size_t index = 0; index < names.size(); ++index) {
      const Method* method = derived->lookup(names[index]);
      if (index % 2 == 0) {
        ASSERT_NE(method, nullptr) << names[index];
        EXPECT_EQ(method->name, names[index]);
      } else {
        EXPECT_EQ(method, nullptr) << names[index];
      }
    }
  }
  class_addMethod(Base::runtimeClass(), Selector<int(int)>{names[1].c_str()},
                  [](id, int value) { return value; });
  ASSERT_NE(derived->lookup(names[1]), nullptr);
  EXPECT_EQ(derived->lookup(names[1])->name, names[1]);
}

TEST_F(RuntimeTest, ANewProcessSendsToItsOwnClassesNotToTheDisposedOnes) {
  Derived object;
  send(&object, layoutSubviews);
  objc_disposeAllClasses();
  // Registered again from the same names; the old tables are gone, and a hook on the new one counts.
  MSHookMessageEx(
      Base::runtimeClass(), layoutSubviews, [](id) { calls.push_back("hooked"); }, nullptr);
  EXPECT_EQ(objc_getClass("Derived"), nullptr);
  send(&object, layoutSubviews);
  EXPECT_NE(objc_getClass("Derived"), nullptr);
  EXPECT_EQ(Derived::runtimeClass(), objc_getClass("Derived"));
  EXPECT_EQ(calls, (std::vector<std::string>{"Base layout", "hooked"}));
}

TEST_F(RuntimeTest, HookOfAnUnknownSelectorChangesNothing) {
  Selector<void(id)>::Imp previous = nullptr;
  MSHookMessageEx(
      Base::runtimeClass(), buttonTapped, [](id, id) {}, &previous);
  EXPECT_EQ(previous, nullptr);
  EXPECT_FALSE(Base().respondsToSelector("buttonTapped:"));
}

TEST_F(RuntimeTest, AddMethodLooksAtTheClassItselfOnly) {
  Derived derived;
  EXPECT_FALSE(class_addMethod(
      Base::runtimeClass(), layoutSubviews, [](id) {}, "v@:"));
  EXPECT_TRUE(class_addMethod(
      Derived::runtimeClass(), layoutSubviews, [](id) { calls.push_back("added"); }, "v@:"));
  send(&derived, layoutSubviews);
  EXPECT_EQ(calls, (std::vector<std::string>{"added"}));
  EXPECT_EQ(Derived::runtimeClass()->ownMethod("layoutSubviews")->types, "v@:");
}

// Adding and hooking share this one path: only `replace` may change an implementation the class
// itself has, and what it had before is handed back either way.
TEST_F(RuntimeTest, AddOrReplaceChangesOnlyTheClassItsOwnEntryWhenAskedTo) {
  Derived derived;
  Class* cls = Derived::runtimeClass();
  auto method = [](Selector<void()>::Imp imp) {
    return Method{refresh.name(), "v@:", typeid(void()), detail::erase(imp)};
  };
  const Selector<void()>::Imp first = [](id) { calls.push_back("first"); };
  const Selector<void()>::Imp second = [](id) { calls.push_back("second"); };
  const Selector<void()>::Imp third = [](id) { calls.push_back("third"); };

  EXPECT_EQ(cls->addMethod(method(first), false), nullptr);
  EXPECT_EQ(cls->addMethod(method(second), false), detail::erase(first));
  send(&derived, refresh);
  EXPECT_EQ(cls->addMethod(method(third), true), detail::erase(first));
  send(&derived, refresh);

  EXPECT_EQ(calls, (std::vector<std::string>{"first", "third"}));
  EXPECT_FALSE(Base().respondsToSelector("refresh"));
}

TEST_F(RuntimeTest, CastYieldsTheObjectOnlyWhenItIsOfTheClass) {
  Base base;
  Derived derived;
  EXPECT_EQ(cast<Base>(&derived), &derived);
  EXPECT_EQ(cast<Derived>(&derived), &derived);
  EXPECT_EQ(cast<Derived>(&base), nullptr);
  EXPECT_EQ(cast<Base>(nullptr), nullptr);
  EXPECT_EQ(downcast<Base>(&derived), &derived);
}

// A method that went into a class whose instances are not what it takes its receiver for.
TEST_F(RuntimeTest, DebugBuildsStopAMethodWhoseReceiverIsOfAnotherClass) {
#ifdef NDEBUG
  GTEST_SKIP() << "release builds do not check the receiver's class";
#else
  Base base;
  class_addMethod(Base::runtimeClass(), refresh, [](id self) { downcast<Derived>(self); });
  EXPECT_DEATH(send(&base, refresh), "method of Derived sent to an instance of Base");
#endif
}

TEST_F(RuntimeTest, EncodingsFollowTheSignature) {
  EXPECT_EQ(Selector<void()>::encoding(), "v@:");
  EXPECT_EQ((Selector<void(const std::string&)>::encoding()), "v@:@");
  EXPECT_EQ(Selector<void(int)>::encoding(), "v@:i");
  EXPECT_EQ(Selector<void(float)>::encoding(), "v@:f");
}

TEST_F(RuntimeTest, SendToNilYieldsZero) {
  EXPECT_EQ(send(nullptr, twice, 21), 0);
  send(nullptr, layoutSubviews);
  performSelector(nullptr, "refresh", nullptr);
  EXPECT_TRUE(calls.empty());
}

TEST_F(RuntimeTest, PerformSelectorPassesTheArgumentWhenTheMethodTakesOne) {
  Base object;
  id seen = nullptr;
  static id* seenSlot;
  seenSlot = &seen;
  class_addMethod(
      Base::runtimeClass(), buttonTapped, [](id, id sender) { *seenSlot = sender; }, "v@:@");
  class_addMethod(
      Base::runtimeClass(), refresh, [](id) { calls.push_back("refresh"); }, "v@:");
  performSelector(&object, "buttonTapped:", &object);
  performSelector(&object, "refresh", &object);
  EXPECT_EQ(seen, &object);
  EXPECT_EQ(calls, (std::vector<std::string>{"refresh"}));
  EXPECT_EQ(send(&object, twice, 21), 42);
}

TEST_F(RuntimeTest, UnrecognizedSelectorAndWrongSignatureEndTheProcess) {
  Base object;
  EXPECT_DEATH(send(&object, refresh), "unrecognized selector refresh");
  constexpr Selector<void(float)> wrongTwice{"twice:"};
  EXPECT_DEATH(send(&object, wrongTwice, 1.0f), "signature mismatch");
  EXPECT_DEATH(class_addMethod(
                   Base::runtimeClass(), refresh, [](id) {}, "v@:@"),
               "type encoding");
}

}  // namespace
}  // namespace platform::runtime
