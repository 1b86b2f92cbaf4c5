#include <benchmark/benchmark.h>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/foundation/NSLocale.h"
#include "tweak/support/BundleHelper.h"
#include "tweak/support/LocalizationHelper.h"
#include "tweak/support/TimeFormatting.h"

namespace lunadoze {
namespace {

using platform::foundation::DeviceFileSystem;
using platform::foundation::NSLocale;

// The staged device root; the first lookup opens the bundle and reads its table.
void useStagedDevice(std::string_view locale) {
  DeviceFileSystem::setRoot(LUNADOZE_STAGE_DIR);
  NSLocale::setCurrentLocaleIdentifier(locale);
  BundleHelper::getLocalizedStringFor("SLEEP");
}

void BM_getLocalizedStringFor(benchmark::State& state) {
  useStagedDevice("en_US");
  for (auto _ : state)
    benchmark::DoNotOptimize(BundleHelper::getLocalizedStringFor("YOUR_MUSIC_WILL_STOP_IN"));
}
BENCHMARK(BM_getLocalizedStringFor);

void BM_getLocalizedStringForMissingKey(benchmark::State& state) {
  useStagedDevice("fr_FR");
  for (auto _ : state) benchmark::DoNotOptimize(BundleHelper::getLocalizedStringFor("NO_SUCH_KEY"));
}
BENCHMARK(BM_getLocalizedStringForMissingKey);

void BM_timeFormatted(benchmark::State& state) {
  NSLocale::setCurrentLocaleIdentifier("en_US");
  int32_t seconds = 0;
  for (auto _ : state) benchmark::DoNotOptimize(timeFormatted(seconds++ % 7200));
}
BENCHMARK(BM_timeFormatted);

void BM_timeFormattedArabic(benchmark::State& state) {
  NSLocale::setCurrentLocaleIdentifier("ar_SA");
  int32_t seconds = 0;
  for (auto _ : state) benchmark::DoNotOptimize(timeFormatted(seconds++ % 7200));
}
BENCHMARK(BM_timeFormattedArabic);

// The song counts: a new formatter for "ar" each time, and a number beyond one digit.
void BM_getLocalizedNumberStringFromArabic(benchmark::State& state) {
  NSLocale::setCurrentLocaleIdentifier("ar_SA");
  int64_t songs = 10;
  for (auto _ : state)
    benchmark::DoNotOptimize(LocalizationHelper::getLocalizedNumberStringFrom(songs++ % 90 + 10));
}
BENCHMARK(BM_getLocalizedNumberStringFromArabic);

void BM_getImageWithName(benchmark::State& state) {
  useStagedDevice("en_US");
  for (auto _ : state) benchmark::DoNotOptimize(BundleHelper::getImageWithName("sleepIcon"));
}
BENCHMARK(BM_getImageWithName);

}  // namespace
}  // namespace lunadoze
