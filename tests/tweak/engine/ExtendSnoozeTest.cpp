#include <algorithm>
#include <string>

#include "platform/foundation/SystemLog.h"
#include "platform/runtime/Runtime.h"
#include "platform/springboard/MediaControlsTransportStackView.h"
#include "platform/springboard/SBVolumeControl.h"
#include "tests/tweak/engine/EngineTest.h"
#include "tweak/core/LunadozeSelectors.h"

namespace lunadoze {
namespace {

using platform::foundation::NSRunLoop;
using platform::foundation::NSRunLoopMode;
using platform::foundation::SystemLog;
using platform::runtime::send;
using platform::springboard::SBVolumeControl;

// A one-minute time snooze (or a songs snooze) started from the panel, at half volume; the start
// actions turn Do Not Disturb on and the end actions airplane mode. Extensions are ten minutes.
class ExtendSnoozeTest : public EngineTest {
 protected:
  static constexpr double kTenMinutes = 600;

  void bootAndStart() {
    pane().setBool(true, "onTimerStartsDND");
    pane().setBool(true, "onTimerEndsAirplane");
    bootWithTweak();
    device_.setMediaVolume(0.5f);
    start_ = now();
    startTimeSnooze(1);
    advance(2);  // the confirmation has gone
  }
  // The stop timer has fired: the fade runs (or the wait for the song's end).
  void runOut() { advance(start_ + 61.01 - now()); }

  // The person opens the current-timer page and taps its extend button.
  void tapExtend() {
    if (!lunadozeVC->currentTimerViewShowed()) tap(*setTimerButton);
    tap(*extendButton());
  }
  static std::shared_ptr<platform::uikit::UIButton> extendButton() {
    return lunadozeVC->currentTimerView()->extendButton();
  }
  static std::string pageValue() { return lunadozeVC->currentTimerView()->timerLabel()->text(); }
  static std::string pageUnit() { return lunadozeVC->currentTimerView()->subtitleLabel()->text(); }
  float volume() { return device_.mediaVolume(); }
  static void pressVolumeUp() { SBVolumeControl::sharedInstance()->increaseVolume(); }
  static void pressVolumeDown() { SBVolumeControl::sharedInstance()->decreaseVolume(); }
  static size_t logged(const std::string& line) { return std::ranges::count(SystemLog::lines(), line); }

  // The snooze's pause and end actions come at `deadline`, not a moment before.
  void expectStopAt(double deadline) {
    advance(deadline - 0.002 - now());
    EXPECT_EQ(snoozeState().snooze, "time");
    EXPECT_FALSE(device_.isAirplaneModeOn());
    advance(0.004);
    EXPECT_NE(snoozeState().snooze, "time");
  }
  // The fade runs to its end; the end actions run once, the start actions never again.
  void expectOneRealEnd() {
    EXPECT_GT(advanceUntil([this] { return !isPlaying(); }, 20), 0);
    EXPECT_TRUE(device_.isAirplaneModeOn());
    EXPECT_EQ(logged("performSpecialActionsOnTimerEnd"), 1u);
    EXPECT_EQ(logged("performSpecialActionsOnTimerStart"), 1u);
    advance(2);
    EXPECT_FLOAT_EQ(volume(), 0.5f);
  }

  double start_ = 0;
};

TEST_F(ExtendSnoozeTest, CountingDownMovesTheStopLaterAndEveryLabelShowsItAtOnce) {
  bootAndStart();
  lockScreen().show();
  advance(0);
  const std::string before = buttonText();
  tapExtend();
  EXPECT_EQ(before, "00:58");
  EXPECT_EQ(buttonText(), "10:58");
  EXPECT_EQ(pageValue(), "10:58");
  EXPECT_EQ(indicatorText(), "10:58");
  EXPECT_EQ(pageUnit(), "minutes");
  EXPECT_TRUE(device_.isDoNotDisturbOn());
  expectStopAt(start_ + 61 + kTenMinutes);
  expectOneRealEnd();
}

TEST_F(ExtendSnoozeTest, PastAnHourThePageReadsHours) {
  pane().setInteger(60, "extendMinutes");
  bootAndStart();
  tap(*setTimerButton);
  EXPECT_EQ(extendButton()->currentTitle(), "+60 min");
  tapExtend();
  EXPECT_EQ(pageValue(), "01:00:58");
  EXPECT_EQ(pageUnit(), "hours");
}

TEST_F(ExtendSnoozeTest, DuringTheFadeTheVolumeComesBackWithItsHudAndTheTimeRunsAgain) {
  bootAndStart();
  runOut();
  advance(5);
  ASSERT_EQ(snoozeState().snooze, "fading");
  ASSERT_LT(volume(), 0.4f);
  const int64_t hudShown = mediaController().volumeHUDShowCount();
  const double tapped = now();
  tapExtend();
  EXPECT_FLOAT_EQ(volume(), 0.5f);
  EXPECT_FALSE(mediaController().isHUDSuppressed());
  EXPECT_EQ(mediaController().volumeHUDShowCount(), hudShown + 1);
  EXPECT_EQ(snoozeState().snooze, "time");
  EXPECT_EQ(snoozeState().left, "10:00");
  EXPECT_EQ(buttonText(), "10:00");
  EXPECT_EQ(pageValue(), "10:00");
  advance(1);  // the step that was queued finds the fade over
  EXPECT_FLOAT_EQ(volume(), 0.5f);
  EXPECT_EQ(buttonText(), "09:59");
  expectStopAt(tapped + kTenMinutes + 1);
  expectOneRealEnd();
}

TEST_F(ExtendSnoozeTest, VolumeUpDuringTheFadeExtendsWithTheScreenDark) {
  bootAndStart();
  module().setExpanded(false);
  device_.setScreenOn(false);
  runOut();
  advance(3);
  const double pressed = now();
  pressVolumeUp();
  advance(0);
  EXPECT_FLOAT_EQ(volume(), 0.5f);  // put back, not a step above the faded level
  EXPECT_FALSE(mediaController().isHUDSuppressed());
  EXPECT_EQ(snoozeState().snooze, "time");
  EXPECT_EQ(updateRemainingTimeLabelsTimer, nullptr);  // no view shows the time
  device_.setScreenOn(true);
  lockScreen().show();
  advance(0);
  EXPECT_EQ(indicatorText(), "10:00");
  expectStopAt(pressed + kTenMinutes + 1);
  expectOneRealEnd();
}

TEST_F(ExtendSnoozeTest, VolumeUpOutsideTheFadeOrWithTheSettingOffIsOnlyAVolumeStep) {
  pane().setBool(false, "extendWithVolumeUpDuringFade");
  bootAndStart();
  pressVolumeUp();
  EXPECT_FLOAT_EQ(volume(), 0.5625f);
  EXPECT_EQ(snoozeState().left, "00:58");

  device_.setMediaVolume(0.5f);
  runOut();
  advance(3);
  pressVolumeUp();
  advance(0);
  EXPECT_EQ(snoozeState().snooze, "fading");
  EXPECT_GT(advanceUntil([this] { return !isPlaying(); }, 20), 0);
  advance(2);
  EXPECT_FLOAT_EQ(volume(), 0.5f);
}

TEST_F(ExtendSnoozeTest, VolumeDownLeavesTheFadeToPauseAndPutTheVolumeBack) {
  bootAndStart();
  runOut();
  advance(3);
  const float faded = volume();
  pressVolumeDown();
  EXPECT_NEAR(volume(), faded - SBVolumeControl::kVolumeStep, 0.004f);
  EXPECT_EQ(snoozeState().snooze, "fading");
  EXPECT_TRUE(mediaController().isHUDSuppressed());
  expectOneRealEnd();
}

TEST_F(ExtendSnoozeTest, WaitingForTheSongsEndGivesTheMinutesAndThenWaitsAgain) {
  pane().setBool(true, "letTheSongFinishEnabled");
  bootAndStart();
  runOut();
  ASSERT_EQ(snoozeState().snooze, "song-end");
  const double tapped = now();
  tapExtend();
  EXPECT_EQ(snoozeState().snooze, "time");
  EXPECT_EQ(buttonText(), "10:00");
  player().next();  // the next song no longer ends the snooze
  advance(1);
  EXPECT_TRUE(isPlaying());
  advance(tapped + kTenMinutes + 1 - 0.002 - now());
  EXPECT_EQ(snoozeState().snooze, "time");
  advance(0.004);
  EXPECT_EQ(snoozeState().snooze, "song-end");
  player().next();
  advance(1);
  EXPECT_FALSE(isPlaying());
  EXPECT_EQ(logged("performSpecialActionsOnTimerEnd"), 1u);
  EXPECT_EQ(logged("performSpecialActionsOnTimerStart"), 1u);
}

TEST_F(ExtendSnoozeTest, OverdueStopHeldBackByADragCountsFromNow) {
  bootAndStart();
  tap(*setTimerButton);
  NSRunLoop::mainRunLoop().setCurrentMode(NSRunLoopMode::Tracking);
  advance(start_ + 70 - now());
  ASSERT_EQ(snoozeState().left, "00:00");
  const double tapped = now();
  tap(*extendButton());
  EXPECT_EQ(snoozeState().left, "10:00");
  EXPECT_EQ(pageValue(), "10:00");
  NSRunLoop::mainRunLoop().setCurrentMode(NSRunLoopMode::Default);
  advance(0);
  EXPECT_EQ(snoozeState().snooze, "time");  // not the overdue stop at once
  expectStopAt(tapped + kTenMinutes + 1);
}

TEST_F(ExtendSnoozeTest, SongsModeRaisesTheCountByOne) {
  pane().setBool(true, "onTimerEndsAirplane");
  bootWithTweak();
  startSongsSnooze(1);
  advance(2);
  tap(*setTimerButton);
  EXPECT_EQ(extendButton()->currentTitle(), "+1 song");
  EXPECT_EQ(pageUnit(), "song");
  tap(*extendButton());
  EXPECT_EQ(snoozeState().left, "2");
  EXPECT_EQ(buttonText(), "2 songs left");
  EXPECT_EQ(pageValue(), "2");
  EXPECT_EQ(pageUnit(), "songs");
  player().next();
  advance(1);
  EXPECT_TRUE(isPlaying());
  EXPECT_EQ(buttonText(), "1 song left");
  player().next();
  advance(1);
  EXPECT_FALSE(isPlaying());
  EXPECT_EQ(logged("performSpecialActionsOnTimerEnd"), 1u);
}

TEST_F(ExtendSnoozeTest, TheButtonShowsOnlyWithTheBottomBar) {
  bootWithTweak();
  startTimeSnooze(30);
  advance(0);
  ASSERT_TRUE(lunadozeVC->currentTimerViewShowed());
  EXPECT_TRUE(extendButton()->isHidden());  // the confirmation
  advance(2);
  tap(*setTimerButton);
  EXPECT_FALSE(extendButton()->isHidden());
  EXPECT_EQ(extendButton()->currentTitle(), "+10 min");
}

// A timer that starts by itself never shows the choose-time page, where the buttons were wired.
TEST_F(ExtendSnoozeTest, ASnoozeStartedWithoutThePanelCanBeExtendedAndCancelledFromItsPage) {
  bootWithTweak();
  send(lastMediaControlsTransportStackView.get(), selectors::validateButtonClicked);
  advance(2);
  ASSERT_EQ(snoozeState().snooze, "time");
  const double stop = snoozeTimer->fireDate();
  tapExtend();
  EXPECT_EQ(snoozeTimer->fireDate(), stop + kTenMinutes);
  tap(*lunadozeVC->currentTimerView()->cancelTimerButton());
  EXPECT_EQ(snoozeState().snooze, "idle");
}

TEST_F(ExtendSnoozeTest, NothingToExtendOnceTheSnoozeHasEnded) {
  pane().setInteger(0, "volumeFadeOutTime");
  bootAndStart();
  runOut();
  ASSERT_FALSE(isPlaying());
  send(&mediaController(), selectors::extendSnooze);
  EXPECT_EQ(snoozeState().snooze, "idle");
  EXPECT_EQ(snoozeTimer, nullptr);
}

}  // namespace
}  // namespace lunadoze
