#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/PerformSelector.h"
#include "tests/tweak/panel/PanelTest.h"
#include "tweak/panel/LunadozeViewController.h"

namespace lunadoze {
namespace {

using platform::uikit::CGRect;
using platform::uikit::CGRectMake;
using platform::uikit::UIControlEventTouchUpInside;
using platform::uikit::UIView;

constexpr CGRect kContainer = CGRectMake(0, 0, 320, 200);
constexpr CGRect kBelowContainer = CGRectMake(0, 200, 320, 200);
constexpr CGRect kControls = CGRectMake(0, 30, 320, 150);
constexpr CGRect kControlsOutOfSight = CGRectMake(0, -150, 320, 150);

// The panel as the host sets it up: its view over the media controls, sized to their superview,
// laid out once so that the pages exist.
class LunadozeViewControllerTest : public PanelTest {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    host_ = UIView::create(kContainer);
    controls_ = UIView::create(kControls);
    host_->addSubview(controls_);
    panel_ = LunadozeViewController::create();
    host_->addSubview(panel_->view());
    panel_->view()->setFrame(kContainer);
    host_->layoutIfNeeded();
    panel_->setTransitionViews({controls_});
  }

  UIView& panelView() { return *panel_->view(); }
  ChooseSnoozeTimeView& chooseTime() { return *panel_->chooseSnoozeTimeView(); }
  CurrentTimerView& currentTimer() { return *panel_->currentTimerView(); }
  OnTimerEndsSettingsView& timerActions() { return *panel_->onTimerEndsSettingsView(); }
  std::vector<std::string> actionsOf(platform::uikit::UIControl& control) {
    return control.actionsForTarget(panel_.get(), UIControlEventTouchUpInside);
  }

  std::shared_ptr<UIView> host_;
  std::shared_ptr<UIView> controls_;
  std::shared_ptr<LunadozeViewController> panel_;
};

TEST_F(LunadozeViewControllerTest, FirstLayoutStacksThreeHiddenPagesWiredToTheController) {
  auto pages = panelView().subviews();
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(pages[0], panel_->chooseSnoozeTimeView());
  EXPECT_EQ(pages[1], panel_->currentTimerView());
  EXPECT_EQ(pages[2], panel_->onTimerEndsSettingsView());
  for (const auto& page : pages) {
    EXPECT_TRUE(page->isHidden());
    EXPECT_DOUBLE_EQ(page->alpha(), 0.85);
    EXPECT_EQ(page->frame(), kContainer);
  }
  EXPECT_EQ(actionsOf(*chooseTime().leftButton()),
            (std::vector<std::string>{"backButtonClicked", "performHapticFeedback"}));
  EXPECT_EQ(actionsOf(*chooseTime().topLeftCornerButton()),
            std::vector<std::string>{"showOnTimerEndsSettingsView"});
  EXPECT_EQ(actionsOf(*chooseTime().rightButton()), std::vector<std::string>{"performHapticFeedback"});
  EXPECT_EQ(actionsOf(*currentTimer().backButton()),
            (std::vector<std::string>{"backButtonClicked", "performHapticFeedback"}));
  EXPECT_EQ(actionsOf(*currentTimer().cancelTimerButton()),
            std::vector<std::string>{"performHapticFeedback"});
  EXPECT_EQ(actionsOf(*timerActions().backButton()),
            (std::vector<std::string>{"hideOnTimerEndsSettingsView", "performHapticFeedback"}));

  // Later passes make no second set of pages.
  panelView().setNeedsLayout();
  host_->layoutIfNeeded();
  EXPECT_EQ(panelView().subviews().size(), 3u);
}

TEST_F(LunadozeViewControllerTest, SlideInMovesTheControlsUpAndSlideOutPutsThemBack) {
  panel_->showChooseSnoozeTimeView(true, controls_.get(), true);
  EXPECT_TRUE(panel_->chooseSnoozeTimeViewShowed());
  EXPECT_FALSE(panelView().isHidden());
  EXPECT_FALSE(chooseTime().isHidden());
  EXPECT_EQ(chooseTime().frame(), kContainer);
  EXPECT_EQ(panelView().frame(), kContainer);
  EXPECT_EQ(controls_->frame(), kControlsOutOfSight);
  advance(0.299);
  EXPECT_FALSE(controls_->isHidden());
  EXPECT_TRUE(panel_->hasBeenShownUsingSlideAnimation());
  advance(0.002);
  EXPECT_TRUE(controls_->isHidden());
  EXPECT_TRUE(panel_->hasBeenShownUsingSlideAnimation());

  panel_->dismissCurrentView();
  EXPECT_FALSE(panel_->chooseSnoozeTimeViewShowed());
  EXPECT_FALSE(controls_->isHidden());
  EXPECT_EQ(controls_->frame(), kControls);
  EXPECT_EQ(panelView().frame(), kBelowContainer);
  advance(0.299);
  EXPECT_FALSE(panelView().isHidden());
  advance(0.002);
  EXPECT_TRUE(panelView().isHidden());
}

TEST_F(LunadozeViewControllerTest, FadeInLeavesByFading) {
  panel_->showChooseSnoozeTimeView(true, controls_.get(), false);
  EXPECT_DOUBLE_EQ(panelView().alpha(), 1);
  EXPECT_DOUBLE_EQ(controls_->alpha(), 0);
  EXPECT_EQ(panelView().frame(), kContainer);
  advance(0.301);
  EXPECT_TRUE(controls_->isHidden());
  EXPECT_DOUBLE_EQ(controls_->alpha(), 1);
  EXPECT_FALSE(panel_->hasBeenShownUsingSlideAnimation());

  panel_->dismissCurrentView();
  EXPECT_FALSE(controls_->isHidden());
  EXPECT_DOUBLE_EQ(controls_->alpha(), 1);
  EXPECT_DOUBLE_EQ(panelView().alpha(), 0);
  EXPECT_EQ(panelView().frame(), kContainer);
  EXPECT_EQ(controls_->frame(), kControls);
  advance(0.301);
  EXPECT_TRUE(panelView().isHidden());
  EXPECT_DOUBLE_EQ(panelView().alpha(), 1);
}

TEST_F(LunadozeViewControllerTest, CurrentTimerPageLeavesTheControlsWhereThatPresentationFoundThem) {
  panel_->showChooseSnoozeTimeView(true, controls_.get(), true);
  advance(0.301);
  panel_->dismissCurrentView();
  advance(0.301);

  // The host moved its controls meanwhile.
  const CGRect moved = CGRectMake(0, 40, 320, 140);
  controls_->setFrame(moved);
  currentTimer().timerLabel()->setText("01:05:00");
  panel_->showCurrentTimerView(true, controls_.get(), true);
  EXPECT_TRUE(panel_->currentTimerViewShowed());
  EXPECT_TRUE(chooseTime().isHidden());
  EXPECT_FALSE(currentTimer().isHidden());
  EXPECT_EQ(currentTimer().subtitleLabel()->text(), "hours");
  EXPECT_FALSE(currentTimer().cancelTimerButton()->isHidden());
  EXPECT_EQ(controls_->frame(), CGRectMake(0, -140, 320, 140));
  advance(0.301);

  panel_->dismissCurrentView();
  EXPECT_FALSE(panel_->currentTimerViewShowed());
  EXPECT_EQ(controls_->frame(), moved);
}

TEST_F(LunadozeViewControllerTest, PageSwitchCrossDissolvesInPlaceKeepingBothPages) {
  panel_->showChooseSnoozeTimeView(true, controls_.get(), true);
  advance(0.301);
  currentTimer().hideBottomButtons(true);

  panel_->transitionBetweenChooseTimeAndCurrentTimerViewFromChooseTime(true);
  EXPECT_FALSE(panel_->chooseSnoozeTimeViewShowed());
  EXPECT_TRUE(panel_->currentTimerViewShowed());
  EXPECT_EQ(currentTimer().frame(), chooseTime().frame());
  EXPECT_FALSE(currentTimer().isHidden());
  EXPECT_EQ(currentTimer().titleLabel()->text(), "Your music will stop in");
  EXPECT_EQ(chooseTime().superview().get(), &panelView());
  EXPECT_EQ(currentTimer().superview().get(), &panelView());
  advance(0.301);
  EXPECT_TRUE(chooseTime().isHidden());

  panel_->transitionBetweenChooseTimeAndCurrentTimerViewFromChooseTime(false);
  EXPECT_TRUE(panel_->chooseSnoozeTimeViewShowed());
  EXPECT_FALSE(panel_->currentTimerViewShowed());
  advance(0.301);
  EXPECT_TRUE(currentTimer().isHidden());
  EXPECT_FALSE(chooseTime().isHidden());

  // The way out is still the way in.
  panel_->dismissCurrentView();
  EXPECT_EQ(controls_->frame(), kControls);
  EXPECT_EQ(panelView().frame(), kBelowContainer);
}

TEST_F(LunadozeViewControllerTest, TimerActionsPageComesAndGoesStoringItsSettings) {
  panel_->showChooseSnoozeTimeView(true, controls_.get(), true);
  advance(0.301);
  tap(*chooseTime().topLeftCornerButton());
  EXPECT_FALSE(timerActions().isHidden());
  EXPECT_EQ(timerActions().superview().get(), &panelView());
  EXPECT_EQ(chooseTime().superview(), nullptr);
  advance(0.301);
  EXPECT_TRUE(chooseTime().isHidden());

  tap(*timerActions().planeModeButton());
  tap(*timerActions().backButton());
  EXPECT_EQ(storedBool("onTimerEndsAirplane"), true);
  EXPECT_FALSE(chooseTime().isHidden());
  EXPECT_EQ(chooseTime().superview().get(), &panelView());
  advance(0.301);
  EXPECT_TRUE(timerActions().isHidden());
  EXPECT_TRUE(panel_->chooseSnoozeTimeViewShowed());
  // The settings button's, the checkbox's and the back button's.
  EXPECT_EQ(impacts(), 3);
}

TEST_F(LunadozeViewControllerTest, DismissalWithTheTimerActionsOpenClosesAndStoresThem) {
  panel_->showChooseSnoozeTimeView(true, controls_.get(), false);
  advance(0.301);
  panel_->showOnTimerEndsSettingsView();
  advance(0.301);
  timerActions().dndButton()->check(true);

  panel_->dismissCurrentView();
  EXPECT_EQ(storedBool("onTimerEndsDND"), true);
  EXPECT_FALSE(chooseTime().isHidden());
  advance(0.301);
  EXPECT_TRUE(timerActions().isHidden());
  EXPECT_TRUE(panelView().isHidden());
  EXPECT_FALSE(panel_->chooseSnoozeTimeViewShowed());
}

TEST_F(LunadozeViewControllerTest, DismissalWhileDismissedDoesNothing) {
  panel_->showChooseSnoozeTimeView(true, controls_.get(), true);
  advance(0.301);
  tap(*chooseTime().leftButton());
  EXPECT_EQ(impacts(), 1);
  advance(0.301);

  const CGRect moved = CGRectMake(0, 10, 320, 150);
  controls_->setFrame(moved);
  panel_->dismissCurrentView();
  // As the confirmation's delayed dismissal arrives after the person closed the panel.
  platform::foundation::performSelectorAfterDelay(panel_, "dismissCurrentView", nullptr, 1);
  advance(1.001);
  EXPECT_EQ(controls_->frame(), moved);
  EXPECT_TRUE(panelView().isHidden());
  EXPECT_EQ(panelView().frame(), kBelowContainer);
}

TEST_F(LunadozeViewControllerTest, SelectedModeReadsSongsUntilTheSwitchToTimeHasCompleted) {
  EXPECT_EQ(panel_->selectedMode(), SnoozeModeTime);
  tap(*chooseTime().topRightCornerButton());
  EXPECT_EQ(panel_->selectedMode(), SnoozeModeSongs);
  advance(0.301);
  tap(*chooseTime().topRightCornerButton());
  advance(0.299);
  EXPECT_EQ(panel_->selectedMode(), SnoozeModeSongs);
  advance(0.002);
  EXPECT_EQ(panel_->selectedMode(), SnoozeModeTime);
}

TEST_F(LunadozeViewControllerTest, AbsentTransitionViewsAreSkipped) {
  auto later = UIView::create(CGRectMake(0, 300, 320, 120));
  panel_->setTransitionViews({nullptr, controls_});
  panel_->showChooseSnoozeTimeView(true, nullptr, true);
  advance(0.301);
  // A list that grew while the panel was up: the view it did not record keeps its frame.
  panel_->setTransitionViews({nullptr, controls_, later});
  panel_->dismissCurrentView();
  EXPECT_EQ(controls_->frame(), kControls);
  EXPECT_EQ(later->frame(), CGRectMake(0, 300, 320, 120));
  advance(0.301);

  panel_->showCurrentTimerView(true, nullptr, false);
  advance(0.301);
  panel_->dismissCurrentView();
  advance(0.301);
  EXPECT_FALSE(controls_->isHidden());
  EXPECT_DOUBLE_EQ(controls_->alpha(), 1);
  EXPECT_TRUE(panelView().isHidden());
}

// A dismissal during the way in goes out the way the panel is coming in, and the way in, ending
// later, leaves the host's controls as the dismissal put them.
TEST_F(LunadozeViewControllerTest, DismissalDuringTheWayInPutsTheControlsBackToStay) {
  panel_->showChooseSnoozeTimeView(true, controls_.get(), true);
  advance(0.1);
  panel_->dismissCurrentView();
  EXPECT_EQ(controls_->frame(), kControls);
  advance(0.5);
  EXPECT_FALSE(controls_->isHidden());
  EXPECT_EQ(controls_->frame(), kControls);
  EXPECT_TRUE(panelView().isHidden());

  panel_->showCurrentTimerView(true, controls_.get(), false);
  advance(0.1);
  panel_->dismissCurrentView();
  advance(0.5);
  EXPECT_FALSE(controls_->isHidden());
  EXPECT_DOUBLE_EQ(controls_->alpha(), 1);
  EXPECT_EQ(controls_->frame(), kControls);
  EXPECT_TRUE(panelView().isHidden());
}

TEST_F(LunadozeViewControllerTest, PresentationDuringTheWayOutKeepsThePanel) {
  panel_->showChooseSnoozeTimeView(true, controls_.get(), true);
  advance(0.301);
  panel_->dismissCurrentView();
  advance(0.1);
  // The host sizes the panel to the module before each presentation.
  panelView().setFrame(kContainer);
  panel_->showChooseSnoozeTimeView(true, controls_.get(), true);
  advance(0.5);
  EXPECT_FALSE(panelView().isHidden());
  EXPECT_EQ(panelView().frame(), kContainer);
  EXPECT_TRUE(controls_->isHidden());

  panel_->dismissCurrentView();
  advance(0.1);
  panel_->showChooseSnoozeTimeView(true, controls_.get(), false);
  advance(0.5);
  EXPECT_FALSE(panelView().isHidden());
  EXPECT_DOUBLE_EQ(panelView().alpha(), 1);
}

}  // namespace
}  // namespace lunadoze
