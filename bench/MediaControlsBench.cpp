#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/foundation/PropertyList.h"
#include "platform/springboard/simulation/LockScreenMediaControls.h"
#include "platform/springboard/simulation/NowPlayingModule.h"
#include "platform/springboard/simulation/Phone.h"
#include "platform/springboard/simulation/SpringBoard.h"
#include "platform/uikit/UIControl.h"
#include "platform/uikit/UIDatePicker.h"
#include "platform/uikit/UIPickerView.h"
#include "tests/platform/foundation/TemporaryDirectory.h"
#include "tests/tweak/core/InstallResourceBundle.h"
#include "tweak/core/ViewGlobals.h"
#include "tweak/engine/SnoozeState.h"
#include "tweak/panel/LunadozeImageButton.h"
#include "tweak/panel/LunadozeViewController.h"
#include "tweak/wiring/Tweak.h"

namespace {

using platform::foundation::NSRunLoop;
using platform::foundation::PropertyList;

// One SpringBoard for every benchmark of this file, with Control Center expanded and the lock
// screen shown. The host's own passes are measured first, before the tweak is loaded into it;
// the tweak stays loaded from then on, as in SpringBoard.
class BenchDevice {
 public:
  static BenchDevice& shared() {
    static BenchDevice device;
    return device;
  }

  void loadTweak() {
    if (tweakLoaded_) return;
    tweakLoaded_ = true;
    lunadoze::tweakEntryPoint();
    springBoard_.nowPlayingModule()->setExpanded(true);
    // The first passes create the tweak's views; measured passes are the steady ones.
    for (int pass = 0; pass < 3; ++pass) springBoard_.layoutShownViews();
  }

  platform::springboard::NowPlayingModule& module() { return *springBoard_.nowPlayingModule(); }
  platform::springboard::LockScreenMediaControls& lockScreen() {
    return *springBoard_.lockScreenMediaControls();
  }
  platform::springboard::Phone& phone() { return device_; }

  // Both outside lock-screen tweaks installed, Sylph switched off, so that every file is read.
  void installOutsideTweaks() {
    touch("/var/lib/dpkg/info/ch.quenfel.sylph.list");
    touch("/var/lib/dpkg/info/com.morvidex.grupi.list");
    write("/var/mobile/Library/Preferences/ch.quenfel.sylph.plist", {{"enabled", PropertyList(false)}});
    write("/var/mobile/Library/Preferences/com.tobrin.grupi.plist",
          {{"Enabled", PropertyList(true)}, {"SmallMusicController", PropertyList(true)}});
  }

  void touchOutsideTweaksFiles() {
    for (const char* devicePath :
         {"/var/lib/dpkg/info/ch.quenfel.sylph.list", "/var/lib/dpkg/info/com.morvidex.grupi.list",
          "/var/mobile/Library/Preferences/ch.quenfel.sylph.plist",
          "/var/mobile/Library/Preferences/com.tobrin.grupi.plist"}) {
      std::filesystem::last_write_time(*platform::foundation::DeviceFileSystem::resolve(devicePath),
                                       std::filesystem::file_time_type::clock::now());
    }
  }

 private:
  BenchDevice() {
    lunadoze::installResourceBundle(root_.path());
    platform::foundation::DeviceFileSystem::setRoot(root_.path());
    springBoard_.boot();
    springBoard_.nowPlayingModule()->setExpanded(true);
    springBoard_.lockScreenMediaControls()->show();
  }

  void touch(const std::string& devicePath) {
    auto path = *platform::foundation::DeviceFileSystem::resolve(devicePath);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream{path};
  }

  void write(const std::string& devicePath, PropertyList::Dictionary dictionary) {
    auto path = *platform::foundation::DeviceFileSystem::resolve(devicePath);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream{path} << PropertyList(std::move(dictionary)).toXml();
  }

  platform::foundation::TemporaryDirectory root_;
  platform::springboard::Phone device_;
  platform::springboard::SpringBoard springBoard_{device_};
  bool tweakLoaded_ = false;
};

void controlCenterPass(benchmark::State& state) {
  auto& module = BenchDevice::shared().module();
  for (auto _ : state) module.layout();
}

void lockScreenPass(benchmark::State& state) {
  auto& device = BenchDevice::shared();
  device.installOutsideTweaks();
  // The run loop takes the installation's file events first: the passes measured are the steady ones.
  NSRunLoop::mainRunLoop().runDueEvents();
  for (auto _ : state) device.lockScreen().layout();
}

void BM_ControlCenterLayoutPass_Host(benchmark::State& state) {
  controlCenterPass(state);
}

void BM_LockScreenLayoutPass_Host(benchmark::State& state) {
  lockScreenPass(state);
}

void BM_ControlCenterLayoutPass_WithTweak(benchmark::State& state) {
  BenchDevice::shared().loadTweak();
  controlCenterPass(state);
}

void BM_LockScreenLayoutPass_WithTweak(benchmark::State& state) {
  BenchDevice::shared().loadTweak();
  lockScreenPass(state);
}

constexpr double kModeSwitchWait = 0.5;

// Confirms the panel's page as the person would: a tap on the sleep button, the pick, the start.
void startSnooze(bool songs, int64_t value) {
  using namespace lunadoze;
  setTimerButton->sendActionsForControlEvents(platform::uikit::UIControlEventTouchUpInside);
  const auto& chooseView = lunadozeVC->chooseSnoozeTimeView();
  if (songs) {
    if (chooseView->nbSongsPickerView()->isHidden()) chooseView->toggleModes();
    chooseView->nbSongsPickerView()->selectRow(value - 1, 0, false);
    chooseView->didSelectRow(chooseView->nbSongsPickerView().get(), value - 1, 0);
  } else {
    if (!chooseView->nbSongsPickerView()->isHidden()) {
      chooseView->toggleModes();
      // The page counts as in songs mode until the switch's cross-fade has ended.
      NSRunLoop::mainRunLoop().advance(kModeSwitchWait);
    }
    chooseView->timeSelectorPickerView()->setCountDownDuration(static_cast<double>(value) * 60);
  }
  chooseView->rightButton()->sendActionsForControlEvents(platform::uikit::UIControlEventTouchUpInside);
}

// Eight hours of a night: songs of 3 minutes, the lock screen shown and its label timer ticking,
// a snooze of 20 songs, then one of 60 minutes.
void BM_SimulatedNight(benchmark::State& state) {
  auto& device = BenchDevice::shared();
  device.loadTweak();
  auto& loop = NSRunLoop::mainRunLoop();
  for (auto _ : state) {
    std::vector<platform::springboard::MusicPlayer::Item> songs;
    songs.reserve(8 * 20 + 1);
    for (int song = 0; song < 8 * 20 + 1; ++song) songs.push_back({"Song " + std::to_string(song), 180});
    device.phone().musicPlayer().setQueue(std::move(songs));
    device.phone().musicPlayer().play();
    loop.advance(1);

    auto& player = device.phone().musicPlayer();
    startSnooze(true, 20);
    loop.advance(60 * 60 + 60);
    const bool songsSnoozeStopped = !player.isPlaying();
    player.play();
    startSnooze(false, 60);
    const bool timeSnoozeStarted = lunadoze::timeSnoozeIsRunning;
    loop.advance(8 * 3600 - 2 * 3600);
    if (!songsSnoozeStopped || !timeSnoozeStarted || player.isPlaying()) {
      state.SkipWithError("the night did not go as planned: a snooze did not start or stop");
      break;
    }
  }
}

// The first pass after the outside tweaks' files changed (their times, which costs the benchmark
// no disk writes): it reads them again, where the steady pass above does not.
void BM_LockScreenLayoutPass_AfterFileChange(benchmark::State& state) {
  auto& device = BenchDevice::shared();
  device.loadTweak();
  device.installOutsideTweaks();
  for (auto _ : state) {
    state.PauseTiming();
    device.touchOutsideTweaksFiles();
    NSRunLoop::mainRunLoop().runDueEvents();
    state.ResumeTiming();
    device.lockScreen().layout();
  }
}

BENCHMARK(BM_ControlCenterLayoutPass_Host)->Repetitions(9)->DisplayAggregatesOnly(true);
BENCHMARK(BM_LockScreenLayoutPass_Host)->Repetitions(9)->DisplayAggregatesOnly(true);
BENCHMARK(BM_ControlCenterLayoutPass_WithTweak)->Repetitions(9)->DisplayAggregatesOnly(true);
BENCHMARK(BM_LockScreenLayoutPass_WithTweak)->Repetitions(9)->DisplayAggregatesOnly(true);
BENCHMARK(BM_LockScreenLayoutPass_AfterFileChange)->Repetitions(9)->DisplayAggregatesOnly(true);
BENCHMARK(BM_SimulatedNight)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);

}  // namespace
