#include <algorithm>
#include <memory>

#include "tests/tweak/panel/PanelTest.h"
#include "tweak/panel/ChooseSnoozeTimeView.h"

namespace lunadoze {
namespace {

using platform::uikit::CGRectMake;
using platform::uikit::UILabel;
using platform::uikit::UIView;

class ChooseSnoozeTimeViewTest : public PanelTest {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    view_ = ChooseSnoozeTimeView::create(CGRectMake(0, 0, 320, 300));
  }

  // The person turns the songs wheel to the row.
  void selectSongsRow(int64_t row) {
    view_->nbSongsPickerView()->selectRow(row, 0, true);
    view_->didSelectRow(view_->nbSongsPickerView().get(), row, 0);
  }
  std::string caption() const { return view_->musicLabel()->text(); }
  bool inView(const std::shared_ptr<UIView>& part) const { return part->superview().get() == view_.get(); }
  // Both corner buttons lie above everything else.
  bool cornerButtonsInFront() const {
    auto subviews = view_->subviews();
    if (subviews.size() < 2) return false;
    std::vector<UIView*> front{subviews.end()[-1].get(), subviews.end()[-2].get()};
    auto isInFront = [&](UIView* button) { return std::ranges::find(front, button) != front.end(); };
    return isInFront(view_->topLeftCornerButton().get()) && isInFront(view_->topRightCornerButton().get());
  }

  std::shared_ptr<ChooseSnoozeTimeView> view_;
};

TEST_F(ChooseSnoozeTimeViewTest, ANewViewOffersTimeModeAndOneSong) {
  EXPECT_FALSE(view_->timeSelectorPickerView()->isHidden());
  EXPECT_TRUE(view_->nbSongsPickerView()->isHidden());
  EXPECT_EQ(view_->timeSelectorPickerView()->datePickerMode(),
            platform::uikit::UIDatePickerModeCountDownTimer);
  EXPECT_FALSE(view_->topRightCornerButton()->isHidden());
  EXPECT_NE(view_->topRightCornerButton()->imageForState(platform::uikit::UIControlStateNormal), nullptr);
  EXPECT_EQ(view_->nbSongsPickerView()->selectedRowInComponent(0), 0);
  EXPECT_EQ(view_->nbSongsSelected(), 1);
  EXPECT_EQ(caption(), "song");
  EXPECT_EQ(view_->musicLabel()->superview(), view_->nbSongsPickerView());
  EXPECT_EQ(view_->leftButton()->currentTitle(), "Back");
  EXPECT_EQ(view_->rightButton()->currentTitle(), "Start");
  EXPECT_EQ(view_->modeType(), OfferedModesBoth);
}

TEST_F(ChooseSnoozeTimeViewTest, SongRowsShowTheNumberOnTheLeftHalf) {
  auto row = view_->viewForRow(view_->nbSongsPickerView().get(), 4, 0, nullptr);
  EXPECT_EQ(row->frame(), CGRectMake(0, 0, 105, 32));
  ASSERT_EQ(row->subviews().size(), 1u);
  auto number = std::dynamic_pointer_cast<UILabel>(row->subviews()[0]);
  ASSERT_NE(number, nullptr);
  EXPECT_EQ(number->text(), "5");
  EXPECT_EQ(number->textAlignment(), platform::uikit::NSTextAlignmentRight);
  EXPECT_EQ(view_->numberOfRowsInComponent(view_->nbSongsPickerView().get(), 0), 99);
}

TEST_F(ChooseSnoozeTimeViewTest, TheToggleSwitchesModesAndKeepsTheCornerButtonsInFront) {
  tap(*view_->topRightCornerButton());
  EXPECT_FALSE(view_->nbSongsPickerView()->isHidden());
  EXPECT_TRUE(inView(view_->nbSongsPickerView()));
  EXPECT_FALSE(inView(view_->timeSelectorPickerView()));
  EXPECT_TRUE(cornerButtonsInFront());
  advance(0.299);
  EXPECT_FALSE(view_->timeSelectorPickerView()->isHidden());
  advance(0.002);
  EXPECT_TRUE(view_->timeSelectorPickerView()->isHidden());

  tap(*view_->topRightCornerButton());
  EXPECT_FALSE(view_->timeSelectorPickerView()->isHidden());
  EXPECT_TRUE(inView(view_->timeSelectorPickerView()));
  EXPECT_TRUE(cornerButtonsInFront());
  // Still songs mode until the switch has completed.
  EXPECT_FALSE(view_->nbSongsPickerView()->isHidden());
  advance(0.301);
  EXPECT_TRUE(view_->nbSongsPickerView()->isHidden());
  // The toggle's own tap gives the haptic.
  EXPECT_EQ(impacts(), 2);
}

TEST_F(ChooseSnoozeTimeViewTest, ModeTypeShowsTheOfferedModeAndHidesTheToggleForOneMode) {
  view_->setModeType(OfferedModesBoth);
  EXPECT_FALSE(view_->topRightCornerButton()->isHidden());
  EXPECT_TRUE(view_->nbSongsPickerView()->isHidden());
  EXPECT_EQ(view_->subviews().back(), view_->topLeftCornerButton());

  view_->setModeType(OfferedModesSongsOnly);
  advance(0.301);
  EXPECT_TRUE(view_->topRightCornerButton()->isHidden());
  EXPECT_FALSE(view_->nbSongsPickerView()->isHidden());
  EXPECT_TRUE(view_->timeSelectorPickerView()->isHidden());

  view_->setModeType(OfferedModesBoth);
  EXPECT_FALSE(view_->topRightCornerButton()->isHidden());
  EXPECT_FALSE(view_->timeSelectorPickerView()->isHidden());
  EXPECT_FALSE(view_->nbSongsPickerView()->isHidden());
  advance(0.301);
  EXPECT_TRUE(view_->nbSongsPickerView()->isHidden());
  EXPECT_TRUE(cornerButtonsInFront());

  view_->setModeType(3);
  advance(0.301);
  EXPECT_TRUE(view_->topRightCornerButton()->isHidden());
  EXPECT_FALSE(view_->timeSelectorPickerView()->isHidden());
  EXPECT_TRUE(view_->nbSongsPickerView()->isHidden());
}

TEST_F(ChooseSnoozeTimeViewTest, CaptionReadsSongForOneAndSongsForMore) {
  selectSongsRow(5);
  EXPECT_EQ(caption(), "songs");
  selectSongsRow(6);
  EXPECT_EQ(caption(), "songs");
  selectSongsRow(0);
  EXPECT_EQ(caption(), "song");
  selectSongsRow(0);
  EXPECT_EQ(caption(), "song");
}

TEST_F(ChooseSnoozeTimeViewTest, DefaultSongsSelectsItsRowAndOutOfRangeTheNearestOne) {
  view_->setDefaultNbSongsPickerValue(10);
  EXPECT_EQ(view_->nbSongsSelected(), 10);
  EXPECT_EQ(caption(), "songs");

  view_->setDefaultNbSongsPickerValue(150);
  EXPECT_EQ(view_->nbSongsSelected(), 99);
  EXPECT_EQ(caption(), "songs");

  view_->setDefaultNbSongsPickerValue(0);
  EXPECT_EQ(view_->nbSongsSelected(), 1);
  EXPECT_EQ(caption(), "song");
  EXPECT_EQ(view_->defaultNbSongsPickerValue(), 0);

  // An unchanged setting leaves the user's choice alone.
  selectSongsRow(20);
  view_->setDefaultNbSongsPickerValue(0);
  EXPECT_EQ(view_->nbSongsSelected(), 21);
}

TEST_F(ChooseSnoozeTimeViewTest, StepsResetThePickerToOneStepOnlyWhenTheyChange) {
  auto& picker = *view_->timeSelectorPickerView();
  view_->setPickerMinutesSteps(5);
  EXPECT_EQ(picker.minuteInterval(), 5);
  EXPECT_DOUBLE_EQ(picker.countDownDuration(), 300);

  picker.setCountDownDuration(900);
  view_->setPickerMinutesSteps(5);
  EXPECT_DOUBLE_EQ(picker.countDownDuration(), 900);

  // A step the picker refuses leaves its interval: one step of that.
  view_->setPickerMinutesSteps(7);
  EXPECT_EQ(picker.minuteInterval(), 5);
  EXPECT_DOUBLE_EQ(picker.countDownDuration(), 300);
}

TEST_F(ChooseSnoozeTimeViewTest, DefaultDurationSetsTheCountDownWhenItChanges) {
  view_->setPickerMinutesSteps(5);
  view_->setDefaultTimerPickerValue(30);
  EXPECT_DOUBLE_EQ(view_->timeSelectorPickerView()->countDownDuration(), 1800);
  view_->timeSelectorPickerView()->setCountDownDuration(600);
  view_->setDefaultTimerPickerValue(30);
  EXPECT_DOUBLE_EQ(view_->timeSelectorPickerView()->countDownDuration(), 600);
}

}  // namespace
}  // namespace lunadoze
