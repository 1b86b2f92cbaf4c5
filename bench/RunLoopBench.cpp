#include <benchmark/benchmark.h>

#include "platform/foundation/NSRunLoop.h"
#include "platform/foundation/NSTimer.h"

namespace platform::foundation {
namespace {

// A night of the label timer: 24 hours of virtual time with a one-second repeating timer.
void BM_AdvanceADayWithASecondTimer(benchmark::State& state) {
  NSRunLoop& loop = NSRunLoop::mainRunLoop();
  for (auto _ : state) {
    loop.reset();
    int ticks = 0;
    auto timer = NSTimer::scheduledTimerWithTimeInterval(1, true, [&ticks](NSTimer*) { ++ticks; });
    loop.advance(24 * 60 * 60);
    timer->invalidate();
    if (ticks != 86400) state.SkipWithError("the timer did not tick once a second");
    benchmark::DoNotOptimize(ticks);
  }
}
BENCHMARK(BM_AdvanceADayWithASecondTimer)->Unit(benchmark::kMillisecond)->Repetitions(5);

}  // namespace
}  // namespace platform::foundation
