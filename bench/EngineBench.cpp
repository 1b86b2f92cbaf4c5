#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/runtime/Runtime.h"
#include "platform/springboard/MediaControlsTransportStackView.h"
#include "platform/springboard/simulation/Phone.h"
#include "platform/springboard/simulation/SpringBoard.h"
#include "platform/uikit/UIFont.h"
#include "tests/platform/foundation/TemporaryDirectory.h"
#include "tests/tweak/core/InstallResourceBundle.h"
#include "tweak/core/LunadozeSelectors.h"
#include "tweak/core/ViewGlobals.h"
#include "tweak/engine/SnoozeState.h"
#include "tweak/panel/LunadozeImageButton.h"
#include "tweak/panel/LunadozeViewController.h"
#include "tweak/support/BundleHelper.h"
#include "tweak/wiring/Tweak.h"

namespace lunadoze {
namespace {

using platform::uikit::UIFont;

// One second of a 30-minute snooze in English, with Control Center open and the lock-screen
// controls showing: the tick writes the remaining time on the sleep button, the panel's timer
// label and the lock-screen indicator.
void BM_RemainingTimeLabelsTick(benchmark::State& state) {
  if (platform::springboard::SpringBoard::running() != nullptr) {
    state.SkipWithError("needs a SpringBoard of its own");
    return;
  }
  const platform::foundation::TemporaryDirectory root;
  installResourceBundle(root.path());
  platform::foundation::DeviceFileSystem::setRoot(root.path());
  {
    platform::springboard::Phone device;
    platform::springboard::SpringBoard springBoard(device);
    springBoard.boot();
    tweakEntryPoint();

    // The views the media controls' hooks give the engine, made here so that they can be taken back:
    // the process keeps one tweak for every benchmark.
    auto stackView = platform::springboard::MediaControlsTransportStackView::create({{0, 150}, {320, 90}});
    lastMediaControlsTransportStackView = stackView;
    setTimerButton = LunadozeImageButton::create(BundleHelper::getImageWithName("sleepIcon"),
                                                 UIFont::systemFontOfSize(17));
    stackView->addSubview(setTimerButton);
    currentTimerButtonInNC = LunadozeImageButton::create(BundleHelper::getImageWithName("sleepIcon"),
                                                         UIFont::systemFontOfSize(13));
    lunadozeVC = LunadozeViewController::create();
    lunadozeVC->view()->setFrame({{0, 0}, {320, 300}});
    lunadozeVC->view()->layoutIfNeeded();
    ccMediaModuleIsExpanded = true;
    ncMediaModuleIsShowed = true;
    lunadozeVC->chooseSnoozeTimeView()->timeSelectorPickerView()->setCountDownDuration(30 * 60);
    platform::runtime::send(stackView.get(), selectors::validateButtonClicked);
    platform::foundation::NSRunLoop::mainRunLoop().advance(1.5);

    for (auto _ : state) updateRemainingTimeLabelsTimer->fire();
    state.SetLabel(setTimerButton->textLabel()->text() + " " + currentTimerButtonInNC->textLabel()->text() +
                   " " + lunadozeVC->currentTimerView()->timerLabel()->text());

    resetSnoozeState();
    lastMediaControlsTransportStackView = nullptr;
    setTimerButton = nullptr;
    currentTimerButtonInNC = nullptr;
    lunadozeVC = nullptr;
    ccMediaModuleIsExpanded = false;
    ncMediaModuleIsShowed = false;
  }
}
BENCHMARK(BM_RemainingTimeLabelsTick)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lunadoze
