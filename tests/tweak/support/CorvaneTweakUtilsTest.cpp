#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "platform/foundation/NSRunLoop.h"
#include "platform/uikit/UIAlertAction.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIViewController.h"
#include "platform/uikit/UIWindow.h"
#include "tweak/support/CorvaneTweakUtils.h"

namespace lunadoze {
namespace {

using platform::foundation::NSRunLoop;
using namespace platform::uikit;

class CorvaneTweakUtilsTest : public ::testing::Test {
 protected:
  void TearDown() override {
    UIApplication::sharedApplication().reset();
    NSRunLoop::mainRunLoop().reset();
  }

  // The alert on screen: what the key window's root controller presents.
  static std::shared_ptr<UIAlertController> shownAlert() {
    return std::dynamic_pointer_cast<UIAlertController>(CorvaneTweakUtils::topMostController());
  }

  static void tap(const std::shared_ptr<UIAlertController>& alert, size_t index) {
    alert->buttonForAction(alert->actions().at(index).get())
        ->sendActionsForControlEvents(UIControlEventTouchUpInside);
    NSRunLoop::mainRunLoop().advance(1);
  }
};

TEST_F(CorvaneTweakUtilsTest, AlertShowsOnALaterTurnInAKeyWindowAboveSystemAlerts) {
  auto below = UIWindow::create(UIScreen::mainScreen().bounds());
  below->setWindowLevel(UIWindowLevelAlert);
  below->makeKeyAndVisible();

  CorvaneTweakUtils::showAlertWithTitle("Title", "Message", "OK");
  EXPECT_EQ(shownAlert(), nullptr);
  NSRunLoop::mainRunLoop().runDueEvents();

  auto window = UIApplication::sharedApplication().keyWindow();
  ASSERT_NE(window, below);
  EXPECT_EQ(window->windowLevel(), UIWindowLevelAlert + 1.0);
  EXPECT_EQ(UIApplication::sharedApplication().windows().back(), window);
  auto alert = shownAlert();
  ASSERT_NE(alert, nullptr);
  EXPECT_EQ(alert->title(), "Title");
  EXPECT_EQ(alert->message(), "Message");
  EXPECT_EQ(alert->preferredStyle(), UIAlertControllerStyleAlert);
  ASSERT_EQ(alert->actions().size(), 1u);
  EXPECT_EQ(alert->actions()[0]->title(), "OK");
  EXPECT_EQ(alert->actions()[0]->style(), UIAlertActionStyleDefault);

  tap(alert, 0);
  EXPECT_EQ(window->rootViewController()->presentedViewController(), nullptr);
}

TEST_F(CorvaneTweakUtilsTest, TappingAButtonCallsTheCompletionOnceWithItsText) {
  std::vector<std::string> tapped;
  CorvaneTweakUtils::showAlertWithTitle("Title", "Message", {"One", "Two", "Three"},
                                        [&tapped](const std::string& text) { tapped.push_back(text); });
  NSRunLoop::mainRunLoop().runDueEvents();
  auto alert = shownAlert();
  ASSERT_NE(alert, nullptr);
  ASSERT_EQ(alert->actions().size(), 3u);
  tap(alert, 1);
  EXPECT_EQ(tapped, std::vector<std::string>{"Two"});
  EXPECT_EQ(shownAlert(), nullptr);
}

TEST_F(CorvaneTweakUtilsTest, AlertsWithoutButtonsOrWithoutCompletion) {
  CorvaneTweakUtils::showAlertWithTitle("Title", "Message", {}, [](const std::string&) { FAIL(); });
  NSRunLoop::mainRunLoop().runDueEvents();
  ASSERT_NE(shownAlert(), nullptr);
  EXPECT_TRUE(shownAlert()->actions().empty());

  CorvaneTweakUtils::showAlertWithTitle("Title", "Message", {"OK"}, nullptr);
  NSRunLoop::mainRunLoop().runDueEvents();
  tap(shownAlert(), 0);  // closes it, calls nothing
  EXPECT_EQ(shownAlert(), nullptr);
}

TEST_F(CorvaneTweakUtilsTest, TopMostControllerFollowsEveryPresentation) {
  EXPECT_EQ(CorvaneTweakUtils::topMostController(), nullptr);
  auto window = UIWindow::create(UIScreen::mainScreen().bounds());
  window->makeKeyAndVisible();
  EXPECT_EQ(CorvaneTweakUtils::topMostController(), nullptr);
  auto root = UIViewController::create();
  auto a = UIViewController::create();
  auto b = UIViewController::create();
  window->setRootViewController(root);
  root->presentViewController(a, false, nullptr);
  a->presentViewController(b, false, nullptr);
  EXPECT_EQ(CorvaneTweakUtils::topMostController(), b);
}

TEST(CorvaneTweakUtilsStringTest, OnlyWhitespaceAndNewlinesAreEmpty) {
  EXPECT_TRUE(CorvaneTweakUtils::stringIsEmpty(""));
  EXPECT_TRUE(CorvaneTweakUtils::stringIsEmpty("   "));
  EXPECT_TRUE(CorvaneTweakUtils::stringIsEmpty("\t\n\r\n\t"));
  EXPECT_TRUE(CorvaneTweakUtils::stringIsEmpty("\u00a0\u2003\u3000\u2028"));
  EXPECT_FALSE(CorvaneTweakUtils::stringIsEmpty(" . "));
  EXPECT_FALSE(CorvaneTweakUtils::stringIsEmpty("\u200b"));  // zero width, but no space
  EXPECT_FALSE(CorvaneTweakUtils::stringIsEmpty(std::nullopt));
}

TEST(CorvaneTweakUtilsStringTest, TrimmingKeepsTheInsideAndNonSpaceCharacters) {
  EXPECT_EQ(CorvaneTweakUtils::trimmedString("\n  Night Drive \t"), "Night Drive");
  EXPECT_EQ(CorvaneTweakUtils::trimmedString("\u00a0Café\u3000"), "Café");
  EXPECT_EQ(CorvaneTweakUtils::trimmedString(" 夜 "), "夜");
  EXPECT_EQ(CorvaneTweakUtils::trimmedString("a\xff "), "a\xff");  // a stray byte is kept
}

TEST(CorvaneTweakUtilsRandomTest, DrawsStayInTheRangeWhicheverWayItIsGiven) {
  EXPECT_EQ(CorvaneTweakUtils::getRandomNumberBetween(7, 7), 7);
  EXPECT_EQ(CorvaneTweakUtils::getRandomNumberBetween(-3, -3), -3);
  std::vector<bool> seen(6);
  for (int i = 0; i < 1000; ++i) {
    int32_t up = CorvaneTweakUtils::getRandomNumberBetween(1, 6);
    int32_t down = CorvaneTweakUtils::getRandomNumberBetween(6, 1);
    ASSERT_GE(up, 1);
    ASSERT_LE(up, 6);
    ASSERT_GE(down, 1);
    ASSERT_LE(down, 6);
    seen[static_cast<size_t>(up - 1)] = true;
  }
  EXPECT_EQ(std::count(seen.begin(), seen.end(), true), 6);
  for (int i = 0; i < 100; ++i) {
    int32_t value = CorvaneTweakUtils::getRandomNumberBetween(-5, 2);
    ASSERT_GE(value, -5);
    ASSERT_LE(value, 2);
    value = CorvaneTweakUtils::getRandomNumberBetween(std::numeric_limits<int32_t>::max() - 1,
                                                      std::numeric_limits<int32_t>::max());
    ASSERT_GE(value, std::numeric_limits<int32_t>::max() - 1);
  }
}

TEST(CorvaneTweakUtilsRandomTest, TheWholeIntegerRangeDoesNotDivideByZero) {
  // Under the sanitizers a division by zero would end the test.
  CorvaneTweakUtils::getRandomNumberBetween(std::numeric_limits<int32_t>::min(),
                                            std::numeric_limits<int32_t>::max());
  CorvaneTweakUtils::getRandomNumberBetween(std::numeric_limits<int32_t>::max(),
                                            std::numeric_limits<int32_t>::min());
}

}  // namespace
}  // namespace lunadoze
