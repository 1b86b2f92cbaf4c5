#include <cmath>
#include <string>
#include <vector>

#include "platform/foundation/NSDate.h"
#include "platform/foundation/SystemLog.h"
#include "tests/tweak/engine/EngineTest.h"
#include "tweak/engine/BedtimeTimer.h"

namespace lunadoze {
namespace {

using platform::foundation::NSDate;
using platform::foundation::SystemLog;

constexpr int64_t at(int64_t hours, int64_t minutes) {
  return hours * 60 + minutes;
}

TEST(BedtimeWindowTest, SameDayCrossingMidnightAndEmptyWindows) {
  struct Case {
    int64_t minute, from, to;
    bool inside;
  };
  const std::vector<Case> cases = {
      // 13:00 to 15:00, within a day: the end is excluded.
      {at(12, 59), at(13, 0), at(15, 0), false},
      {at(13, 0), at(13, 0), at(15, 0), true},
      {at(14, 59), at(13, 0), at(15, 0), true},
      {at(15, 0), at(13, 0), at(15, 0), false},
      // 22:00 to 04:00 crosses midnight.
      {at(21, 59), at(22, 0), at(4, 0), false},
      {at(22, 0), at(22, 0), at(4, 0), true},
      {at(23, 59), at(22, 0), at(4, 0), true},
      {at(0, 0), at(22, 0), at(4, 0), true},
      {at(3, 59), at(22, 0), at(4, 0), true},
      {at(4, 0), at(22, 0), at(4, 0), false},
      {at(12, 0), at(22, 0), at(4, 0), false},
      // A window that ends where it begins holds no minute.
      {at(22, 0), at(22, 0), at(22, 0), false},
      {at(10, 0), at(22, 0), at(22, 0), false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(isInsideBedtimeWindow(c.minute, c.from, c.to), c.inside)
        << c.minute << " in " << c.from << " to " << c.to;
  }
}

// The music is loaded and paused, with the bedtime timer on; the person presses play at the time
// of day the test sets.
class BedtimeTimerTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    pane().setInteger(0, "volumeFadeOutTime");
  }

  // Turned on once the music is paused: the fixture's own start of playback would start one.
  void bootPaused() {
    bootWithTweak();
    player().pause();
    pane().setBool(true, "bedtimeEnabled");
    synchronizeAndDeliver();
    ASSERT_EQ(snoozeState().snooze, "idle");
  }

  // The device's clock moved so that it reads the time of day now.
  void setTimeOfDay(int64_t minuteOfDay) {
    const double sinceStart =
        NSDate::date()->timeIntervalSinceReferenceDate() - static_cast<double>(device_.timeOfDayAtStart());
    device_.setTimeOfDayAtStart(minuteOfDay * 60 - std::llround(sinceStart));
    ASSERT_EQ(currentMinuteOfDay(), minuteOfDay);
  }

  void play() {
    player().play();
    advance(0);
  }
  void pause() {
    player().pause();
    advance(0);
  }
  // The person opens the current-timer page with the sleep button and taps cancel.
  void cancelFromThePanel() {
    tap(*setTimerButton);
    tap(*lunadozeVC->currentTimerView()->cancelTimerButton());
  }
  static int64_t startLogLines() {
    int64_t count = 0;
    for (const auto& line : SystemLog::lines()) count += line == "performSpecialActionsOnTimerStart";
    return count;
  }
};

TEST_F(BedtimeTimerTest, PlayInsideTheWindowStartsATimeSnoozeWithTheStartActions) {
  pane().setInteger(20, "bedtimeMinutes");
  pane().setBool(true, "onTimerStartsDND");
  bootPaused();
  lockScreen().show();
  setTimeOfDay(at(23, 10));
  const double start = now();
  play();

  EXPECT_EQ(snoozeState().snooze, "time");
  EXPECT_EQ(buttonText(), "20:00");
  EXPECT_FALSE(currentTimerButtonInNC->isHidden());
  EXPECT_EQ(indicatorText(), "20:00");
  EXPECT_EQ(startLogLines(), 1);
  EXPECT_TRUE(device_.isDoNotDisturbOn());
  // No panel is shown for it.
  EXPECT_FALSE(lunadozeVC->currentTimerViewShowed());
  advance(1.5);
  EXPECT_EQ(indicatorText(), "19:59");

  advance(start + 1200.99 - now());
  EXPECT_TRUE(isPlaying());
  advance(0.02);
  EXPECT_FALSE(isPlaying());
  EXPECT_EQ(snoozeState().snooze, "idle");
}

TEST_F(BedtimeTimerTest, WindowsAcrossMidnightAndOutsideThem) {
  bootPaused();
  setTimeOfDay(at(1, 30));  // inside the default 22:00 to 04:00
  play();
  EXPECT_EQ(snoozeState().snooze, "time");
  EXPECT_EQ(buttonText(), "30:00");
  cancelFromThePanel();
  pause();

  setTimeOfDay(at(4, 0));
  play();
  EXPECT_EQ(snoozeState().snooze, "idle");
  pause();

  setTimeOfDay(at(12, 0));
  play();
  EXPECT_EQ(snoozeState().snooze, "idle");
  pause();

  // A window within one afternoon.
  pane().setInteger(at(13, 0), "bedtimeFrom");
  pane().setInteger(at(15, 0), "bedtimeTo");
  synchronizeAndDeliver();
  play();
  EXPECT_EQ(snoozeState().snooze, "idle");
  pause();
  setTimeOfDay(at(14, 0));
  play();
  EXPECT_EQ(snoozeState().snooze, "time");
  EXPECT_EQ(startLogLines(), 2);
}

TEST_F(BedtimeTimerTest, OncePerPlaybackStartAndNotWhenTurnedOff) {
  bootPaused();
  setTimeOfDay(at(23, 10));
  play();
  ASSERT_EQ(snoozeState().snooze, "time");
  cancelFromThePanel();
  ASSERT_EQ(snoozeState().snooze, "idle");

  // Still the same playback: a new title, another update while playing, play pressed again.
  player().next();
  play();
  advance(kSongLength);
  EXPECT_EQ(snoozeState().snooze, "idle");
  EXPECT_EQ(startLogLines(), 1);

  // The next start of playback starts the next one, unless the timer is turned off.
  pause();
  play();
  EXPECT_EQ(snoozeState().snooze, "time");
  cancelFromThePanel();
  pause();
  pane().setBool(false, "bedtimeEnabled");
  synchronizeAndDeliver();
  play();
  EXPECT_EQ(snoozeState().snooze, "idle");
  EXPECT_EQ(startLogLines(), 2);
}

TEST_F(BedtimeTimerTest, ARunningSnoozeIsLeftAsItIs) {
  bootPaused();
  setTimeOfDay(at(23, 10));
  play();
  ASSERT_EQ(snoozeState().snooze, "time");
  const auto stopTimer = snoozeTimer;
  pause();
  advance(60);
  play();
  EXPECT_EQ(snoozeTimer, stopTimer);
  cancelFromThePanel();

  startSongsSnooze(3);
  pause();
  play();
  EXPECT_EQ(snoozeState().snooze, "songs");
  EXPECT_EQ(snoozeState().left, "3");
  EXPECT_EQ(startLogLines(), 2);
}

}  // namespace
}  // namespace lunadoze
