#include <memory>

#include "platform/foundation/NSRunLoop.h"
#include "tests/tweak/engine/EngineTest.h"

namespace lunadoze {
namespace {

using platform::foundation::NSRunLoop;
using platform::foundation::NSRunLoopMode;

// Without a fade-out the pause comes with the stop timer itself.
class SnoozeLifecycleTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    pane().setInteger(0, "volumeFadeOutTime");
  }

  // A one-minute snooze with let-the-song-finish on, past its minute: it waits for the end of the
  // first song, which ends at the returned time.
  double waitForTheSongsEnd() {
    pane().setBool(true, "letTheSongFinishEnabled");
    bootWithTweak();
    const double songEnd = now() + kSongLength;
    startTimeSnooze(1);
    advance(61.01);
    EXPECT_EQ(snoozeState().snooze, "song-end");
    return songEnd;
  }
};

TEST_F(SnoozeLifecycleTest, ThirtyMinutesReadThirtyFirstAndPauseOneSecondLater) {
  bootWithTweak();
  const double start = now();
  startTimeSnooze(30);
  EXPECT_EQ(buttonText(), "30:00");
  EXPECT_EQ(lunadozeVC->currentTimerView()->timerLabel()->text(), "30:00");
  EXPECT_EQ(snoozeState().snooze, "time");
  advance(1.5);
  EXPECT_EQ(buttonText(), "29:59");

  advance(start + 1800.99 - now());
  EXPECT_EQ(buttonText(), "00:00");
  EXPECT_TRUE(isPlaying());
  advance(0.02);
  EXPECT_FALSE(isPlaying());
  EXPECT_EQ(buttonText(), "Sleep");
  EXPECT_EQ(snoozeState().snooze, "idle");
  EXPECT_EQ(updateRemainingTimeLabelsTimer, nullptr);
}

TEST_F(SnoozeLifecycleTest, ScreenOffChangesNoTextYetTheStopFiresOnTime) {
  bootWithTweak();
  const double start = now();
  startTimeSnooze(1);
  device_.setScreenOn(false);
  advance(start + 60.99 - now());
  EXPECT_EQ(buttonText(), "01:00");
  EXPECT_TRUE(isPlaying());
  advance(0.02);
  EXPECT_FALSE(isPlaying());
}

TEST_F(SnoozeLifecycleTest, OneSongPausesAtTheFirstNewTitleNotAtARepeatedOne) {
  bootWithTweak();
  startSongsSnooze(1);
  EXPECT_EQ(snoozeState().snooze, "songs");
  EXPECT_EQ(snoozeState().left, "1");
  // The person pauses and plays: the same title is reported again.
  player().pause();
  player().play();
  advance(1);
  EXPECT_TRUE(isPlaying());

  advance(kSongLength);
  EXPECT_EQ(nowPlayingTitle(), "Low Tide");
  EXPECT_FALSE(isPlaying());
  EXPECT_EQ(snoozeState().snooze, "idle");
}

TEST_F(SnoozeLifecycleTest, ThreeSongsCountDownAndPauseAtTheThirdNewTitle) {
  bootWithTweak();
  player().setQueue({{"A", 10}, {"B", 10}, {"C", 10}, {"D", 10}});
  advance(0);
  startSongsSnooze(3);
  EXPECT_EQ(buttonText(), "3 songs left");
  advance(10);
  EXPECT_EQ(buttonText(), "2 songs left");
  advance(10);
  EXPECT_TRUE(isPlaying());
  advance(10);
  EXPECT_EQ(nowPlayingTitle(), "D");
  EXPECT_FALSE(isPlaying());
}

TEST_F(SnoozeLifecycleTest, CancelEndsTheStopTimerAndRestoresTheButtons) {
  bootWithTweak();
  lockScreen().show();
  startTimeSnooze(1);
  EXPECT_FALSE(currentTimerButtonInNC->isHidden());
  std::weak_ptr<platform::foundation::NSTimer> stopTimer = snoozeTimer;
  advance(2);
  tap(*setTimerButton);
  tap(*lunadozeVC->currentTimerView()->cancelTimerButton());

  EXPECT_TRUE(stopTimer.expired());
  EXPECT_EQ(updateRemainingTimeLabelsTimer, nullptr);
  EXPECT_EQ(buttonText(), "Sleep");
  EXPECT_TRUE(currentTimerButtonInNC->isHidden());
  EXPECT_TRUE(lunadozeVC->chooseSnoozeTimeViewShowed());
  advance(120);
  EXPECT_TRUE(isPlaying());
}

TEST_F(SnoozeLifecycleTest, ConfirmationShowsTheTimerWithoutButtonsForItsTime) {
  pane().setFloat(1.5, "confirmViewAutoDismissTime");
  bootWithTweak();
  startTimeSnooze(1);
  EXPECT_TRUE(lunadozeVC->currentTimerViewShowed());
  EXPECT_TRUE(lunadozeVC->currentTimerView()->cancelTimerButton()->isHidden());
  advance(1.49);
  EXPECT_TRUE(lunadozeVC->currentTimerViewShowed());
  advance(0.02);
  EXPECT_FALSE(lunadozeVC->currentTimerViewShowed());
}

TEST_F(SnoozeLifecycleTest, WithoutConfirmationThePanelGoesAtTheStart) {
  pane().setBool(false, "showConfirmationViewAfterTimerSetEnabled");
  bootWithTweak();
  startTimeSnooze(1);
  EXPECT_FALSE(lunadozeVC->chooseSnoozeTimeViewShowed());
  EXPECT_FALSE(lunadozeVC->currentTimerViewShowed());
}

// Resetting at a tick that finds no time left would cancel the stop timer that the dragging holds
// back, and the music would play on.
TEST_F(SnoozeLifecycleTest, TickLeavesAStopTimerHeldBackByDraggingToFire) {
  bootWithTweak();
  startTimeSnooze(1);
  advance(50);
  NSRunLoop::mainRunLoop().setCurrentMode(NSRunLoopMode::Tracking);
  advance(15);
  EXPECT_EQ(snoozeState().snooze, "time");
  EXPECT_TRUE(isPlaying());
  NSRunLoop::mainRunLoop().setCurrentMode(NSRunLoopMode::Default);
  advance(0);
  EXPECT_FALSE(isPlaying());
}

// Three seconds overdue, the stop timer's fire date lies behind: "00:-3" otherwise.
TEST_F(SnoozeLifecycleTest, OverdueTimeReadsZero) {
  bootWithTweak();
  const double start = now();
  startTimeSnooze(1);
  NSRunLoop::mainRunLoop().setCurrentMode(NSRunLoopMode::Tracking);
  advance(start + 64.5 - now());
  EXPECT_EQ(buttonText(), "00:00");
  EXPECT_EQ(snoozeState().left, "00:00");
}

// Resetting at the first tick of a label timer started by a view appearing would drop the wait,
// and the music would play on into the next song.
TEST_F(SnoozeLifecycleTest, TickLeavesTheWaitForTheSongsEnd) {
  const double songEnd = waitForTheSongsEnd();
  lockScreen().show();
  advance(2);
  EXPECT_EQ(updateRemainingTimeLabelsTimer, nullptr);
  EXPECT_EQ(snoozeState().snooze, "song-end");
  advance(songEnd - 1 - now());
  EXPECT_TRUE(isPlaying());
  advance(1.5);
  EXPECT_EQ(nowPlayingTitle(), "Low Tide");
  EXPECT_FALSE(isPlaying());
}

// A snooze keeps to what it was started with: settings changed while it runs must not leave the
// music playing on.
TEST_F(SnoozeLifecycleTest, TheWaitForTheSongsEndHoldsWhenItsSettingIsTurnedOff) {
  const double songEnd = waitForTheSongsEnd();
  pane().setBool(false, "letTheSongFinishEnabled");
  synchronizeAndDeliver();

  advance(songEnd + 0.5 - now());
  EXPECT_EQ(nowPlayingTitle(), "Low Tide");
  EXPECT_FALSE(isPlaying());
  EXPECT_EQ(snoozeState().snooze, "idle");
}

TEST_F(SnoozeLifecycleTest, ASongsSnoozeCountsOnWhenTheOfferedModesChange) {
  bootWithTweak();
  player().setQueue({{"A", 10}, {"B", 10}, {"C", 10}, {"D", 10}});
  advance(0);
  startSongsSnooze(2);
  advance(2);
  // Time only from now on: the next layout pass shows the time picker in the closed panel.
  pane().setInteger(1, "enabledModes");
  synchronizeAndDeliver();
  module().layout();
  advance(0.5);
  ASSERT_EQ(lunadozeVC->selectedMode(), SnoozeModeTime);

  advance(8);
  EXPECT_EQ(buttonText(), "1 song left");
  advance(10);
  EXPECT_EQ(nowPlayingTitle(), "C");
  EXPECT_FALSE(isPlaying());
  EXPECT_EQ(snoozeState().snooze, "idle");
}

TEST_F(SnoozeLifecycleTest, ControlCenterKeepsCountingWhenTheLockScreenControlsGo) {
  bootWithTweak();
  lockScreen().show();
  startTimeSnooze(1);
  advance(2.5);
  lockScreen().hide();
  const std::string shown = buttonText();
  advance(3);
  EXPECT_NE(updateRemainingTimeLabelsTimer, nullptr);
  EXPECT_NE(buttonText(), shown);

  module().setExpanded(false);
  EXPECT_EQ(updateRemainingTimeLabelsTimer, nullptr);
}

}  // namespace
}  // namespace lunadoze
