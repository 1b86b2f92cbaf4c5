#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "platform/foundation/NSRunLoop.h"
#include "platform/springboard/SBMediaController.h"
#include "platform/springboard/simulation/LockScreenMediaControls.h"
#include "platform/springboard/simulation/MusicPlayer.h"
#include "platform/springboard/simulation/NowPlayingModule.h"
#include "platform/uikit/UIControl.h"
#include "tests/tweak/core/TweakTest.h"
#include "tweak/core/ViewGlobals.h"
#include "tweak/engine/SnoozeState.h"
#include "tweak/inspection/SnoozeStateDescription.h"
#include "tweak/panel/LunadozeImageButton.h"
#include "tweak/panel/LunadozeViewController.h"
#include "tweak/wiring/Tweak.h"

namespace lunadoze {

// SpringBoard with the tweak loaded and its resource bundle installed, music playing and Control
// Center open with the now-playing module expanded and laid out, so that the sleep button and the
// panel exist. Settings written with pane() before bootWithTweak() are the stored ones. Time is
// virtual: it passes only through advance().
class EngineTest : public TweakTest {
 protected:
  static constexpr double kSongLength = 2400;

  void SetUp() override {
    TweakTest::SetUp();
    installResourceBundle(root_.path());
  }

  void bootWithTweak() {
    boot();
    tweakEntryPoint();
    player().setQueue({{"Night Drive", kSongLength}, {"Low Tide", kSongLength}, {"Glass", kSongLength}});
    player().play();
    module().setExpanded(true);
    module().layout();
    module().layout();  // the panel is sized and fed the settings from the second pass on
    advance(0);
  }

  // The person opens the panel, picks a duration or a number of songs and taps its start button.
  void startTimeSnooze(double minutes) {
    tap(*setTimerButton);
    chooseView().timeSelectorPickerView()->setCountDownDuration(minutes * 60);
    tap(*chooseView().rightButton());
  }
  void startSongsSnooze(int64_t nbSongs) {
    tap(*setTimerButton);
    chooseView().showSongMode();
    chooseView().nbSongsPickerView()->selectRow(nbSongs - 1, 0, false);
    tap(*chooseView().rightButton());
  }
  static void tap(platform::uikit::UIControl& control) {
    control.sendActionsForControlEvents(platform::uikit::UIControlEventTouchUpInside);
    advance(0);
  }

  static void advance(double seconds) { platform::foundation::NSRunLoop::mainRunLoop().advance(seconds); }
  static double now() { return platform::foundation::NSRunLoop::mainRunLoop().currentTime(); }
  // Lets time pass a millisecond at a time until the condition holds; the seconds that took, or
  // -1 when it did not hold within `limit` seconds.
  static double advanceUntil(const std::function<bool()>& condition, double limit) {
    const double start = now();
    while (!condition()) {
      if (now() - start > limit) return -1;
      advance(0.001);
    }
    return now() - start;
  }

  platform::springboard::NowPlayingModule& module() { return *springBoard_.nowPlayingModule(); }
  platform::springboard::LockScreenMediaControls& lockScreen() {
    return *springBoard_.lockScreenMediaControls();
  }
  platform::springboard::MusicPlayer& player() { return device_.musicPlayer(); }
  bool isPlaying() { return player().isPlaying(); }
  std::string nowPlayingTitle() { return player().nowPlayingItem()->title; }
  static platform::springboard::SBMediaController& mediaController() {
    return *platform::springboard::SBMediaController::sharedInstance();
  }
  static ChooseSnoozeTimeView& chooseView() { return *lunadozeVC->chooseSnoozeTimeView(); }
  static std::string buttonText() { return setTimerButton->textLabel()->text(); }
  static std::string indicatorText() { return currentTimerButtonInNC->textLabel()->text(); }
  static SnoozeStateDescription snoozeState() {
    SnoozeStateDescription description;
    LunadozeDescribeSnoozeState(&description);
    return description;
  }
};

}  // namespace lunadoze
