#include <memory>

#include "platform/foundation/NSLocale.h"
#include "tests/tweak/panel/PanelTest.h"
#include "tweak/core/Settings.h"
#include "tweak/panel/CurrentTimerView.h"

namespace lunadoze {
namespace {

class CurrentTimerViewTest : public PanelTest {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    view_ = CurrentTimerView::create();
    ASSERT_NE(view_, nullptr);
  }

  std::string unitFor(const std::string& value, SnoozeMode mode) {
    view_->timerLabel()->setText(value);
    view_->setupViewWithMode(mode);
    return view_->subtitleLabel()->text();
  }

  std::shared_ptr<CurrentTimerView> view_;
};

TEST_F(CurrentTimerViewTest, InterfaceFileGivesTheSevenPartsAndTheButtonTitles) {
  ASSERT_NE(view_->timerLabel(), nullptr);
  ASSERT_NE(view_->titleLabel(), nullptr);
  ASSERT_NE(view_->subtitleLabel(), nullptr);
  ASSERT_NE(view_->backButton(), nullptr);
  ASSERT_NE(view_->cancelTimerButton(), nullptr);
  ASSERT_NE(view_->extendButton(), nullptr);
  ASSERT_NE(view_->bottomButtonHeightConstraint(), nullptr);
  EXPECT_EQ(view_->backButton()->currentTitle(), "Back");
  EXPECT_EQ(view_->cancelTimerButton()->currentTitle(), "Cancel");
  EXPECT_EQ(view_->bottomButtonHeightConstraint()->constant(), 50);
  EXPECT_TRUE(view_->timerLabel()->isDescendantOfView(view_.get()));
}

TEST_F(CurrentTimerViewTest, SongsModeUnitFollowsTheCountShown) {
  EXPECT_EQ(unitFor("1", SnoozeModeSongs), "song");
  EXPECT_EQ(view_->titleLabel()->text(), "Your music will stop in");
  EXPECT_EQ(unitFor("2", SnoozeModeSongs), "songs");
  EXPECT_EQ(unitFor("0", SnoozeModeSongs), "songs");
  // Digits of another numbering system read as no number.
  EXPECT_EQ(unitFor("\u0661", SnoozeModeSongs), "songs");
}

TEST_F(CurrentTimerViewTest, TimeModeUnitIsHoursFromThreePiecesOn) {
  EXPECT_EQ(unitFor("05:00", SnoozeModeTime), "minutes");
  EXPECT_EQ(view_->titleLabel()->text(), "Your music will stop in");
  EXPECT_EQ(unitFor("01:05:00", SnoozeModeTime), "hours");
}

TEST_F(CurrentTimerViewTest, ExtendButtonNamesTheModesExtensionInTheLocalesDigits) {
  extendMinutes = 15;
  unitFor("05:00", SnoozeModeTime);
  EXPECT_EQ(view_->extendButton()->currentTitle(), "+15 min");
  unitFor("3", SnoozeModeSongs);
  EXPECT_EQ(view_->extendButton()->currentTitle(), "+1 song");
  platform::foundation::NSLocale::setCurrentLocaleIdentifier("ar_SA");
  unitFor("05:00", SnoozeModeTime);
  EXPECT_EQ(view_->extendButton()->currentTitle(), "+\u0661\u0665 \u062F");
  unitFor("05:00", static_cast<SnoozeMode>(2));
  EXPECT_EQ(view_->extendButton()->currentTitle(), "+\u0661\u0665 \u062F");
}

TEST_F(CurrentTimerViewTest, AnotherModeChangesNothing) {
  unitFor("05:00", SnoozeModeTime);
  view_->titleLabel()->setText("title");
  EXPECT_EQ(unitFor("01:05:00", static_cast<SnoozeMode>(2)), "minutes");
  EXPECT_EQ(view_->titleLabel()->text(), "title");
}

TEST_F(CurrentTimerViewTest, BottomBarCollapsesAndComesBackAtFiftyPoints) {
  view_->hideBottomButtons(true);
  EXPECT_TRUE(view_->backButton()->isHidden());
  EXPECT_TRUE(view_->cancelTimerButton()->isHidden());
  EXPECT_TRUE(view_->extendButton()->isHidden());
  EXPECT_EQ(view_->bottomButtonHeightConstraint()->constant(), 0);
  view_->hideBottomButtons(false);
  EXPECT_FALSE(view_->backButton()->isHidden());
  EXPECT_FALSE(view_->cancelTimerButton()->isHidden());
  EXPECT_FALSE(view_->extendButton()->isHidden());
  EXPECT_EQ(view_->bottomButtonHeightConstraint()->constant(), 50);
}

TEST_F(CurrentTimerViewTest, NoInterfaceFileNoView) {
  std::filesystem::remove(root_.path() /
                          "Library/Application Support/LunadozeBundle.bundle/CurrentTimerView.nib");
  EXPECT_EQ(CurrentTimerView::create(), nullptr);
}

}  // namespace
}  // namespace lunadoze
