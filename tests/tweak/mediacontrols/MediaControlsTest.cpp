#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/foundation/NSRunLoop.h"
#include "platform/springboard/CCUIContentModuleContainerViewController.h"
#include "platform/springboard/MPAVRoutingViewController.h"
#include "platform/springboard/MediaControlsContainerView.h"
#include "platform/springboard/MediaControlsHeaderView.h"
#include "platform/springboard/MediaControlsParentContainerView.h"
#include "platform/springboard/MediaControlsTransportButton.h"
#include "platform/springboard/MediaControlsTransportStackView.h"
#include "platform/springboard/NextUpViewController.h"
#include "platform/springboard/simulation/LockScreenMediaControls.h"
#include "platform/springboard/simulation/NowPlayingModule.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIControl.h"
#include "tests/tweak/core/TweakTest.h"
#include "tweak/core/ViewGlobals.h"
#include "tweak/panel/LunadozeImageButton.h"
#include "tweak/panel/LunadozeViewController.h"
#include "tweak/wiring/Tweak.h"

namespace lunadoze {
namespace {

using platform::springboard::MediaControlsTransportStackView;
using platform::springboard::NowPlayingModule;
using platform::uikit::CGRect;
using platform::uikit::CGRectMake;

// SpringBoard with the tweak hooked and its resource bundle installed; the test plays the host's
// layout passes over Control Center and the lock screen.
class MediaControlsTest : public TweakTest {
 protected:
  void SetUp() override {
    TweakTest::SetUp();
    installResourceBundle(root_.path());
  }

  void bootWithTweak(std::string version = "14.4") {
    boot(std::move(version));
    tweakEntryPoint();
  }

  NowPlayingModule& module() { return *springBoard_.nowPlayingModule(); }
  platform::springboard::LockScreenMediaControls& lockScreen() {
    return *springBoard_.lockScreenMediaControls();
  }

  void expandAndLayOut() {
    module().setExpanded(true);
    module().layout();
  }
};

TEST_F(MediaControlsTest, PanelIsCreatedHiddenOnTheFirstPassAndSizedAndFedOnTheSecond) {
  pane().setInteger(10, "timerMinutesSteps");
  pane().setInteger(2, "enabledModes");
  synchronizeAndDeliver();
  bootWithTweak();
  expandAndLayOut();

  ASSERT_NE(lunadozeVC, nullptr);
  auto panel = lunadozeVC->view();
  EXPECT_TRUE(panel->isHidden());
  EXPECT_EQ(panel->frame(), CGRect{});
  EXPECT_EQ(module().parentContainerView()->subviews().back(), panel);
  const auto& chooseView = lunadozeVC->chooseSnoozeTimeView();
  const int64_t stepsBefore = chooseView ? chooseView->pickerMinutesSteps() : 0;
  EXPECT_NE(stepsBefore, 10);

  module().layout();
  EXPECT_EQ(panel->frame(), CGRectMake(0, 0, 320, 300));
  ASSERT_NE(lunadozeVC->chooseSnoozeTimeView(), nullptr);
  EXPECT_EQ(lunadozeVC->chooseSnoozeTimeView()->pickerMinutesSteps(), 10);
  EXPECT_EQ(lunadozeVC->chooseSnoozeTimeView()->modeType(), OfferedModesSongsOnly);
}

// A container not yet known when the panel is made (laid out while transparent) would leave the
// panel out of the view tree for good.
TEST_F(MediaControlsTest, PanelMadeBeforeTheContainerIsKnownIsAttachedOnALaterPass) {
  bootWithTweak();
  module().mediaContainerView()->setAlpha(0);
  expandAndLayOut();
  ASSERT_NE(lunadozeVC, nullptr);
  auto panel = lunadozeVC->view();
  EXPECT_EQ(panel->superview(), nullptr);

  module().mediaContainerView()->setAlpha(1);
  module().layout();
  EXPECT_EQ(module().parentContainerView()->subviews().back(), panel);
  EXPECT_EQ(panel->frame(), CGRectMake(0, 0, 320, 300));
  module().layout();
  EXPECT_EQ(std::ranges::count(module().parentContainerView()->subviews(), panel), 1);
}

TEST_F(MediaControlsTest, TwoTapsLeaveOneTargetActionPairOnTheConfirmAndCancelButtons) {
  bootWithTweak();
  expandAndLayOut();
  module().layout();
  for (int tap = 0; tap < 2; ++tap) {
    setTimerButton->sendActionsForControlEvents(platform::uikit::UIControlEventTouchUpInside);
    lunadozeVC->dismissCurrentView();
    platform::foundation::NSRunLoop::mainRunLoop().advance(1);
  }
  auto* stackView = module().transportStackView().get();
  auto confirm = lunadozeVC->chooseSnoozeTimeView()->rightButton();
  EXPECT_EQ(confirm->actionsForTarget(stackView, platform::uikit::UIControlEventTouchUpInside),
            std::vector<std::string>{"validateButtonClicked"});
  auto cancel = lunadozeVC->currentTimerView()->cancelTimerButton();
  EXPECT_EQ(cancel->actionsForTarget(stackView, platform::uikit::UIControlEventTouchUpInside),
            std::vector<std::string>{"cancelButtonClicked"});
}

TEST_F(MediaControlsTest, ASecondControlCenterStackViewMovesItsOwnButtonsButNeverTakesTheSleepButton) {
  bootWithTweak();
  expandAndLayOut();
  auto second = MediaControlsTransportStackView::create(CGRectMake(0, 150, 320, 90), 0);
  module().mediaContainerView()->addSubview(second);
  module().layout();

  EXPECT_EQ(lastMediaControlsTransportStackView, module().transportStackView());
  EXPECT_EQ(setTimerButton->superview(), module().transportStackView());
  EXPECT_EQ(second->middleButton()->frame(), CGRectMake(140, 0, 40, 40));
  EXPECT_EQ(setTimerButton->frame(), CGRectMake(0, 50, 320, 40));
}

TEST_F(MediaControlsTest, LockScreenStackViewGetsTheIndicatorAndNeverTheSleepButton) {
  bootWithTweak();
  module().setExpanded(true);
  lockScreen().show();
  EXPECT_EQ(setTimerButton, nullptr);
  ASSERT_NE(currentTimerButtonInNC, nullptr);
  EXPECT_EQ(currentTimerButtonInNC->superview(), lockScreen().mediaContainerView());
  EXPECT_TRUE(currentTimerButtonInNC->isHidden());
  EXPECT_TRUE(ncMediaModuleIsShowed);
  lockScreen().hide();
  EXPECT_FALSE(ncMediaModuleIsShowed);
}

class ColouringTweakTest : public MediaControlsTest {
 protected:
  void bootWithColouringTweak() {
    device_.setColouringTweakPrimaryColor(primary_);
    bootWithTweak();
  }
  std::shared_ptr<platform::uikit::UIColor> primary_ = platform::uikit::UIColor::colorWithRed(1, 0, 0.5, 1);
};

TEST_F(ColouringTweakTest, IndicatorTakesThePrimaryColour) {
  bootWithColouringTweak();
  lockScreen().show();
  lockScreen().layout();
  ASSERT_NE(currentTimerButtonInNC, nullptr);
  EXPECT_EQ(currentTimerButtonInNC->tintColor(), primary_);
}

TEST_F(ColouringTweakTest, LockScreenParentContainerStopsClippingOnlyWhileControlCenterIsCollapsed) {
  bootWithColouringTweak();
  expandAndLayOut();
  lockScreen().show();
  auto platter = lockScreen().parentContainerView();
  platter->setClipsToBounds(true);
  EXPECT_TRUE(platter->clipsToBounds()) << "Control Center still expanded";
  module().setExpanded(false);
  platter->setClipsToBounds(true);
  EXPECT_FALSE(platter->clipsToBounds());
}

TEST_F(MediaControlsTest, WithoutTheColouringTweakTheParentContainerClipsAsAsked) {
  bootWithTweak();
  expandAndLayOut();
  module().setExpanded(false);
  lockScreen().show();
  auto platter = lockScreen().parentContainerView();
  platter->setClipsToBounds(true);
  EXPECT_TRUE(platter->clipsToBounds());
}

TEST_F(MediaControlsTest, RoutingViewIsHiddenOnItsFirstLayoutAndFollowedAfterwards) {
  bootWithTweak();
  auto routingView = module().routingViewController()->view();
  routingView->setHidden(false);
  expandAndLayOut();
  EXPECT_TRUE(routingView->isHidden());
  EXPECT_FALSE(airplayViewIsShowed);
  routingView->setHidden(false);
  module().layout();
  EXPECT_FALSE(routingView->isHidden());
  EXPECT_TRUE(airplayViewIsShowed);
}

TEST_F(MediaControlsTest, RouteButtonDismissesThePanelAndWithNextUpHidesTheSleepButtonWhileThePickerShows) {
  device_.setShowsNextUp(true);
  bootWithTweak("12.4");
  expandAndLayOut();
  module().layout();
  setTimerButton->sendActionsForControlEvents(platform::uikit::UIControlEventTouchUpInside);
  ASSERT_TRUE(lunadozeVC->chooseSnoozeTimeViewShowed());

  auto route = module().headerView()->routeButton();
  route->sendActionsForControlEvents(platform::uikit::UIControlEventTouchUpInside);
  EXPECT_FALSE(lunadozeVC->chooseSnoozeTimeViewShowed());
  EXPECT_TRUE(airplayViewIsShowed);
  EXPECT_TRUE(setTimerButton->isHidden());
  // A layout pass while the picker covers the controls leaves the button hidden.
  module().layout();
  EXPECT_TRUE(setTimerButton->isHidden());

  route->sendActionsForControlEvents(platform::uikit::UIControlEventTouchUpInside);
  EXPECT_FALSE(airplayViewIsShowed);
  EXPECT_FALSE(setTimerButton->isHidden());
}

TEST_F(MediaControlsTest, ATapOnAButtonOutsideTheHeaderLeavesThePanelOpen) {
  bootWithTweak();
  expandAndLayOut();
  module().layout();
  setTimerButton->sendActionsForControlEvents(platform::uikit::UIControlEventTouchUpInside);
  auto stray = platform::springboard::MPButton::create(CGRectMake(0, 0, 10, 10));
  module().mediaContainerView()->addSubview(stray);
  stray->sendActionsForControlEvents(platform::uikit::UIControlEventTouchUpInside);
  EXPECT_TRUE(lunadozeVC->chooseSnoozeTimeViewShowed());
}

TEST_F(MediaControlsTest, NarrowNextUpListIsNotRecordedUntilItIsWiderThan200Points) {
  device_.setShowsNextUp(true);
  bootWithTweak("12.4");
  auto list = module().nextUpViewController()->view();
  list->setFrame(CGRectMake(0, 300, 200, 120));
  expandAndLayOut();
  EXPECT_EQ(list->frame(), CGRectMake(0, 300, 200, 120));
  EXPECT_EQ(nextUpOriginalFrame, CGRect{});
  list->setFrame(CGRectMake(0, 300, 320, 120));
  module().layout();
  EXPECT_EQ(list->frame(), CGRectMake(0, 315, 320, 120));
}

}  // namespace
}  // namespace lunadoze
