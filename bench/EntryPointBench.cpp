#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/settings/HBPreferences.h"
#include "platform/springboard/simulation/Phone.h"
#include "platform/springboard/simulation/SpringBoard.h"
#include "tests/platform/foundation/TemporaryDirectory.h"
#include "tweak/core/Settings.h"
#include "tweak/wiring/Tweak.h"

namespace {

using platform::settings::HBPreferences;

// Every setting stored, so that loading reads a full domain from disk.
void storeEverySetting() {
  auto pane = HBPreferences::initWithIdentifier(lunadoze::kPreferencesIdentifier);
  for (const char* key : {"enabled", "volumeFadeOutEnabled", "letTheSongFinishEnabled",
                          "showConfirmationViewAfterTimerSetEnabled", "showIndicatorOnNC", "hideMoonIconInCC",
                          "hideMoonIconInNC", "onTimerEndsAirplane", "onTimerEndsDND", "onTimerEndsBluetooth",
                          "onTimerStartsAirplane", "onTimerStartsDND", "onTimerStartsCustomVolume",
                          "extendWithVolumeUpDuringFade"}) {
    pane->setBool(true, key);
  }
  for (const char* key :
       {"enabledModes", "timerDefaultValue", "timerMinutesSteps", "volumeFadeOutTime", "nbSongsDefaultValue",
        "onTimerEndsBluetoothMode", "onTimerStartsCustomVolumeValue", "extendMinutes"}) {
    pane->setInteger(1, key);
  }
  pane->setFloat(1.5, "confirmViewAutoDismissTime");
  pane->setObject(platform::foundation::PropertyList("Car"), "onTimerEndsBluetoothDeviceName");
}

// The tweak's load inside SpringBoard: the settings object, 24 bindings, the change block run
// once, and the 33 rows of the hook table. Each run starts from a freshly booted SpringBoard.
void BM_TweakEntryPoint(benchmark::State& state) {
  const platform::foundation::TemporaryDirectory root;
  platform::foundation::DeviceFileSystem::setRoot(root.path());
  storeEverySetting();
  {
    platform::springboard::Phone device;
    platform::springboard::SpringBoard springBoard(device);
    springBoard.boot();
    for (auto _ : state) {
      lunadoze::tweakEntryPoint();
      state.PauseTiming();
      springBoard.respring();
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_TweakEntryPoint)->Unit(benchmark::kMicrosecond)->Repetitions(9)->DisplayAggregatesOnly(true);

}  // namespace
