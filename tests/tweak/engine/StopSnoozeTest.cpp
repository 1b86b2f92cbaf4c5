#include <cmath>

#include "tests/tweak/engine/EngineTest.h"

namespace lunadoze {
namespace {

// A one-minute time snooze, at the moment its stop timer has fired; the end actions turn airplane
// mode on.
class StopSnoozeTest : public EngineTest {
 protected:
  void bootAndRunOut(float volume) {
    pane().setBool(true, "onTimerEndsAirplane");
    bootWithTweak();
    device_.setMediaVolume(volume);
    runOut();
  }
  void runOut() {
    const double start = now();
    startTimeSnooze(1);
    advance(start + 61.001 - now());
  }
  float volume() { return device_.mediaVolume(); }
  bool isHUDSuppressed() { return mediaController().isHUDSuppressed(); }
  double untilPaused() {
    return advanceUntil([this] { return !isPlaying(); }, 20);
  }
};

TEST_F(StopSnoozeTest, NoFadeTimePausesAtOnceAndLeavesTheVolume) {
  pane().setInteger(0, "volumeFadeOutTime");
  bootAndRunOut(0.5f);
  EXPECT_FALSE(isPlaying());
  EXPECT_FALSE(isHUDSuppressed());
  EXPECT_FLOAT_EQ(volume(), 0.5f);
  EXPECT_TRUE(device_.isAirplaneModeOn());
  EXPECT_EQ(snoozeState().snooze, "idle");
}

TEST_F(StopSnoozeTest, OneSecondFromFullVolumeTakesTenStepsOfATenth) {
  pane().setInteger(1, "volumeFadeOutTime");
  bootAndRunOut(1.0f);
  EXPECT_EQ(snoozeState().snooze, "fading");
  EXPECT_EQ(buttonText(), "Sleep");
  advance(0.45);  // five steps, 0.1 s and a millisecond apart
  EXPECT_NEAR(volume(), 0.5f, 1e-6);
  EXPECT_TRUE(isHUDSuppressed());
  EXPECT_NEAR(untilPaused(), 0.56, 0.0015);
  EXPECT_FLOAT_EQ(volume(), 0.0f);
  EXPECT_TRUE(device_.isAirplaneModeOn());
  advance(1.01);
  EXPECT_FLOAT_EQ(volume(), 1.0f);
}

TEST_F(StopSnoozeTest, FifteenSecondsFromHalfVolumeHideTheHUDUntilAfterThePause) {
  bootAndRunOut(0.5f);  // the default fade-out time: 15 s
  const double fadeTime = untilPaused();
  EXPECT_GT(fadeTime, 15.0);
  EXPECT_LT(fadeTime, 15.3);
  EXPECT_TRUE(isHUDSuppressed());
  advance(0.99);
  EXPECT_FLOAT_EQ(volume(), 0.0f);
  advance(0.02);
  EXPECT_FLOAT_EQ(volume(), 0.5f);
  advance(0.28);
  EXPECT_TRUE(isHUDSuppressed());
  advance(0.02);
  EXPECT_FALSE(isHUDSuppressed());
}

TEST_F(StopSnoozeTest, LettingTheSongFinishFadesNothing) {
  pane().setBool(true, "letTheSongFinishEnabled");
  bootAndRunOut(0.5f);
  EXPECT_EQ(snoozeState().snooze, "song-end");
  advance(kSongLength - now() - 1);
  EXPECT_TRUE(isPlaying());
  EXPECT_GT(untilPaused(), 0);
  EXPECT_EQ(nowPlayingTitle(), "Low Tide");
  EXPECT_FLOAT_EQ(volume(), 0.5f);
  EXPECT_FALSE(isHUDSuppressed());
}

TEST_F(StopSnoozeTest, SilentOrUnreadableVolumeEndsTheFadeAtOnce) {
  bootAndRunOut(0.0f);
  EXPECT_FALSE(isPlaying());
  advance(1.01);
  EXPECT_FLOAT_EQ(volume(), 0.0f);

  player().play();
  device_.setMediaVolume(std::nanf(""));
  runOut();
  EXPECT_FALSE(isPlaying());
}

// Used as it stands, a negative length makes a negative step: each step raises the volume, which
// never reaches 0, so playback is never paused.
TEST_F(StopSnoozeTest, NegativeFadeTimePausesAtOnce) {
  pane().setInteger(-5, "volumeFadeOutTime");
  bootAndRunOut(0.5f);
  EXPECT_FALSE(isPlaying());
  EXPECT_FLOAT_EQ(volume(), 0.5f);
}

// Left to run, the fade would go on after the cancel, pause the music and run the end actions.
TEST_F(StopSnoozeTest, CancelDuringTheFadeStopsItAndPutsTheVolumeBack) {
  bootAndRunOut(0.5f);
  advance(5);
  ASSERT_LT(volume(), 0.4f);
  tap(*setTimerButton);
  tap(*lunadozeVC->currentTimerView()->cancelTimerButton());
  EXPECT_FLOAT_EQ(volume(), 0.5f);
  EXPECT_FALSE(isHUDSuppressed());
  EXPECT_EQ(snoozeState().snooze, "idle");
  advance(30);
  EXPECT_TRUE(isPlaying());
  EXPECT_FLOAT_EQ(volume(), 0.5f);
  EXPECT_FALSE(device_.isAirplaneModeOn());
}

// Resetting at the first tick of a label timer started by a view appearing would end the fade's
// snooze, and with it the fade, before the pause.
TEST_F(StopSnoozeTest, TickDuringTheFadeLeavesItToPause) {
  bootAndRunOut(0.5f);
  lockScreen().show();
  advance(1.01);
  EXPECT_EQ(updateRemainingTimeLabelsTimer, nullptr);
  EXPECT_EQ(snoozeState().snooze, "fading");
  EXPECT_GT(untilPaused(), 0);
  EXPECT_TRUE(device_.isAirplaneModeOn());
}

}  // namespace
}  // namespace lunadoze
