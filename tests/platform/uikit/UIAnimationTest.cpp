#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/foundation/NSRunLoop.h"
#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIAlertAction.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIImpactFeedbackGenerator.h"
#include "platform/uikit/UIKit.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIView.h"
#include "platform/uikit/UIViewController.h"
#include "platform/uikit/UIWindow.h"
#include "tests/platform/springboard/FreshProcessState.h"

namespace platform::uikit {
namespace {

using foundation::NSRunLoop;
using runtime::id;

std::vector<std::string> calls;

class AppearanceController : public UIViewController {
 public:
  static runtime::Class* runtimeClass() {
    return runtime::objc_registerClass(
        "AppearanceController", &UIViewController::runtimeClass, [](runtime::Class* cls) {
          runtime::class_addMethod(cls, selectors::viewWillAppear,
                                   [](id, bool) { calls.push_back("will appear"); });
          runtime::class_addMethod(cls, selectors::viewDidAppear,
                                   [](id, bool) { calls.push_back("did appear"); });
          runtime::class_addMethod(cls, selectors::viewWillDisappear,
                                   [](id, bool) { calls.push_back("will disappear"); });
          runtime::class_addMethod(cls, selectors::viewDidDisappear,
                                   [](id, bool) { calls.push_back("did disappear"); });
        });
  }
  runtime::Class* isa() const override { return runtimeClass(); }
};

class UIAnimationTest : public ::testing::Test {
 protected:
  springboard::FreshProcessState freshProcess_;

  void SetUp() override { calls.clear(); }

  static void advance(double seconds) { NSRunLoop::mainRunLoop().advance(seconds); }

  UIView::Completion record(std::string name) {
    return [name = std::move(name)](bool finished) {
      calls.push_back(name + (finished ? " finished" : " cut"));
    };
  }

  std::shared_ptr<UIWindow> showWindow() {
    auto window = UIWindow::create(UIScreen::mainScreen().bounds());
    window->setRootViewController(UIViewController::create());
    window->makeKeyAndVisible();
    return window;
  }
};

TEST_F(UIAnimationTest, AnimatedValuesChangeAtOnceAndTheCompletionWaitsForDelayAndDuration) {
  auto view = UIView::create(CGRectMake(0, 200, 320, 200));
  UIView::animateWithDuration(
      0.3, 0.1, 0, [&] { view->setFrame(CGRectMake(0, 0, 320, 200)); }, record("slide"));
  UIView::animateWithDuration(
      0.3, [&] { view->setAlpha(0); }, record("fade"));
  EXPECT_EQ(view->frame(), CGRectMake(0, 0, 320, 200));
  EXPECT_EQ(view->alpha(), 0);

  advance(0.29);
  EXPECT_TRUE(calls.empty());
  advance(0.02);
  EXPECT_EQ(calls, (std::vector<std::string>{"fade finished"}));
  advance(0.08);
  EXPECT_EQ(calls, (std::vector<std::string>{"fade finished"}));
  advance(0.02);
  EXPECT_EQ(calls, (std::vector<std::string>{"fade finished", "slide finished"}));
}

TEST_F(UIAnimationTest, SpringAnimationWithoutCompletionSetsItsValues) {
  auto view = UIView::create();
  view->setTransform(CGAffineTransformMakeScale(0.8, 0.8));
  UIView::animateWithDuration(
      0.3, 0, 0.3, 5, UIViewAnimationOptionAllowUserInteraction,
      [&] { view->setTransform(CGAffineTransformIdentity); }, nullptr);
  EXPECT_TRUE(CGAffineTransformIsIdentity(view->transform()));
  EXPECT_EQ(NSRunLoop::mainRunLoop().pendingEventCount(), 0u);
}

TEST_F(UIAnimationTest, TransitionWithShowHideOptionHidesAndShowsInPlace) {
  auto panel = UIView::create();
  auto choose = UIView::create();
  auto current = UIView::create();
  current->setHidden(true);
  panel->addSubview(choose);
  panel->addSubview(current);
  UIView::transitionFromView(
      choose.get(), current.get(), 0.3,
      UIViewAnimationOptionTransitionCrossDissolve | UIViewAnimationOptionShowHideTransitionViews,
      record("switch"));
  EXPECT_TRUE(choose->isHidden());
  EXPECT_FALSE(current->isHidden());
  EXPECT_EQ(choose->superview(), panel);
  EXPECT_EQ(current->superview(), panel);
  advance(0.29);
  EXPECT_TRUE(calls.empty());
  advance(0.02);
  EXPECT_EQ(calls, (std::vector<std::string>{"switch finished"}));
}

TEST_F(UIAnimationTest, TransitionWithoutShowHideOptionSwapsTheViewsInTheSuperview) {
  auto page = UIView::create();
  auto timePicker = UIView::create();
  auto songsPicker = UIView::create();
  auto cornerButton = UIView::create();
  page->addSubview(timePicker);
  page->addSubview(songsPicker);
  page->addSubview(cornerButton);
  UIView::transitionFromView(timePicker.get(), songsPicker.get(), 0.3,
                             UIViewAnimationOptionTransitionCrossDissolve, record("switch"));
  EXPECT_EQ(timePicker->superview(), nullptr);
  EXPECT_EQ(page->subviews(), (std::vector<std::shared_ptr<UIView>>{cornerButton, songsPicker}));

  UIView::transitionFromView(songsPicker.get(), timePicker.get(), 0.3,
                             UIViewAnimationOptionTransitionCrossDissolve, nullptr);
  EXPECT_EQ(page->subviews(), (std::vector<std::shared_ptr<UIView>>{cornerButton, timePicker}));
  advance(0.31);
  EXPECT_EQ(calls, (std::vector<std::string>{"switch finished"}));
}

TEST_F(UIAnimationTest, TransitionWithViewRunsItsChangesAtOnce) {
  auto label = UIView::create();
  UIView::transitionWithView(
      label.get(), 0.2, UIViewAnimationOptionTransitionCrossDissolve, [&] { label->setAlpha(0.5); },
      record("caption"));
  EXPECT_EQ(label->alpha(), 0.5);
  advance(0.19);
  EXPECT_TRUE(calls.empty());
  advance(0.02);
  EXPECT_EQ(calls, (std::vector<std::string>{"caption finished"}));
}

TEST_F(UIAnimationTest, WindowsStackByLevelAndTheApplicationKeepsTheVisibleOnes) {
  auto normal = showWindow();
  std::weak_ptr<UIWindow> alertWindow;
  {
    auto window = UIWindow::create(UIScreen::mainScreen().bounds());
    window->setWindowLevel(UIWindowLevelAlert + 1);
    window->makeKeyAndVisible();
    alertWindow = window;
  }
  auto statusBar = UIWindow::create();
  statusBar->setWindowLevel(UIWindowLevelStatusBar);
  statusBar->setHidden(false);

  ASSERT_FALSE(alertWindow.expired());
  auto& application = UIApplication::sharedApplication();
  EXPECT_EQ(application.keyWindow(), alertWindow.lock());
  EXPECT_EQ(application.windows(),
            (std::vector<std::shared_ptr<UIWindow>>{normal, statusBar, alertWindow.lock()}));

  alertWindow.lock()->setHidden(true);
  EXPECT_TRUE(alertWindow.expired());
  EXPECT_EQ(application.keyWindow(), nullptr);
}

TEST_F(UIAnimationTest, PresentedControllersFormAChainThatDismissalUnwinds) {
  auto window = showWindow();
  auto root = window->rootViewController();
  auto first = std::make_shared<AppearanceController>();
  auto second = UIViewController::create();
  int completions = 0;
  root->presentViewController(first, true, [&] { ++completions; });
  EXPECT_EQ(calls, (std::vector<std::string>{"will appear"}));
  EXPECT_EQ(first->view()->superview().get(), window.get());
  EXPECT_EQ(first->view()->frame(), window->bounds());
  advance(0.29);
  EXPECT_EQ(completions, 0);
  advance(0.02);
  EXPECT_EQ(completions, 1);
  EXPECT_EQ(calls, (std::vector<std::string>{"will appear", "did appear"}));

  first->presentViewController(second, false, nullptr);
  // A controller that already presents one presents no other.
  first->presentViewController(UIViewController::create(), false, nullptr);
  EXPECT_EQ(first->presentedViewController(), second);
  EXPECT_EQ(second->presentingViewController(), first);

  calls.clear();
  root->dismissViewControllerAnimated(false, [&] { ++completions; });
  EXPECT_EQ(root->presentedViewController(), nullptr);
  EXPECT_EQ(first->presentedViewController(), nullptr);
  EXPECT_EQ(first->view()->superview(), nullptr);
  EXPECT_EQ(second->view()->superview(), nullptr);
  EXPECT_EQ(calls, (std::vector<std::string>{"will disappear"}));
  advance(0.01);
  EXPECT_EQ(calls, (std::vector<std::string>{"will disappear", "did disappear"}));
  EXPECT_EQ(completions, 2);
}

TEST_F(UIAnimationTest, AControllerWhoseViewIsInNoWindowPresentsNothing) {
  auto controller = UIViewController::create();
  controller->presentViewController(UIViewController::create(), false, nullptr);
  EXPECT_EQ(controller->presentedViewController(), nullptr);
}

TEST_F(UIAnimationTest, TappingAnAlertActionDismissesTheAlertThenRunsItsHandler) {
  auto window = showWindow();
  auto alert = UIAlertController::alertControllerWithTitle("Title", "Message", UIAlertControllerStyleAlert);
  std::vector<std::string> tapped;
  for (std::string title : {"One", "Two", "Three"}) {
    alert->addAction(
        UIAlertAction::actionWithTitle(title, UIAlertActionStyleDefault, [&](UIAlertAction* action) {
          tapped.push_back(action->title() +
                           (alert->presentingViewController() == nullptr ? " after dismissal" : ""));
        }));
  }
  window->rootViewController()->presentViewController(alert, true, nullptr);
  advance(0.31);

  auto button = alert->buttonForAction(alert->actions()[1].get());
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->currentTitle(), "Two");
  button->touchesBegan(nullptr);
  button->touchesEnded(nullptr);
  EXPECT_EQ(window->rootViewController()->presentedViewController(), nullptr);
  EXPECT_TRUE(tapped.empty());
  advance(0.31);
  EXPECT_EQ(tapped, (std::vector<std::string>{"Two after dismissal"}));
}

TEST_F(UIAnimationTest, EveryImpactIsCountedAndTheClassIsThereOnceUIKitIsLoaded) {
  EXPECT_EQ(runtime::NSClassFromString("UIImpactFeedbackGenerator"), nullptr);
  loadUIKit();
  EXPECT_NE(runtime::NSClassFromString("UIImpactFeedbackGenerator"), nullptr);

  int64_t before = UIImpactFeedbackGenerator::impactCount();
  auto generator = UIImpactFeedbackGenerator::create(UIImpactFeedbackStyleLight);
  generator->prepare();
  generator->impactOccurred();
  UIImpactFeedbackGenerator::create(UIImpactFeedbackStyleHeavy)->impactOccurred();
  EXPECT_EQ(UIImpactFeedbackGenerator::impactCount(), before + 2);
}

}  // namespace
}  // namespace platform::uikit
