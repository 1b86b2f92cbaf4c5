#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sim/ScriptRunner.h"
#include "sim/Simulator.h"

namespace lunadoze::sim {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::vector<std::string> scenarioFiles() {
  std::vector<std::string> files;
  for (const auto& entry : fs::directory_iterator(fs::path(LUNADOZE_SOURCE_DIR) / "tests/scenarios")) {
    if (entry.path().extension() == ".sim") files.push_back(entry.path().string());
  }
  std::ranges::sort(files);
  return files;
}

// Runs the scenario files as `lunadoze-sim FILE...` does: on one device for all, or each on a
// freshly staged device of its own.
double secondsToRun(const std::vector<std::string>& files, bool freshDevices) {
  std::ostringstream out;
  std::ostringstream err;
  const auto start = Clock::now();
  {
    Simulator simulator(std::nullopt, false);
    ScriptRunner runner(simulator, out, err);
    runner.setFreshDevices(freshDevices);
    for (const std::string& file : files) runner.runFile(file);
  }
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// As many scripts that do nothing, in a directory of their own: what they cost on fresh devices
// beyond a shared one is the cost of the fresh devices alone.
class EmptyScripts {
 public:
  explicit EmptyScripts(size_t count)
      : directory_(fs::temp_directory_path() / ("lunadoze-bench-scripts-" + std::to_string(getpid()))) {
    fs::create_directories(directory_);
    for (size_t i = 0; i < count; ++i) {
      files_.push_back((directory_ / ("empty" + std::to_string(i) + ".sim")).string());
      std::ofstream(files_.back()) << "echo nothing\n";
    }
  }
  ~EmptyScripts() { fs::remove_all(directory_); }
  const std::vector<std::string>& files() const { return files_; }

 private:
  fs::path directory_;
  std::vector<std::string> files_;
};

// What a device of its own for every scenario file costs. "fresh/shared": the whole suite's time on
// fresh devices over its time on one shared device, measured in one run (on the shared device
// some scripts stop early, broken by those before them, so it does less). "device_ms": what one
// fresh device costs, measured with scripts that do nothing.
void BM_ScenarioFilesOnFreshDevices(benchmark::State& state) {
  const auto files = scenarioFiles();
  const EmptyScripts empty(files.size());
  double shared = 0;
  double fresh = 0;
  double devices = 0;
  for (auto _ : state) {
    shared += secondsToRun(files, false);
    const double seconds = secondsToRun(files, true);
    fresh += seconds;
    devices += secondsToRun(empty.files(), true) - secondsToRun(empty.files(), false);
    state.SetIterationTime(seconds);
  }
  const auto runs = static_cast<double>(state.iterations());
  state.counters["files"] = static_cast<double>(files.size());
  state.counters["fresh/shared"] = fresh / shared;
  state.counters["device_ms"] = devices / runs / static_cast<double>(files.size() - 1) * 1000;
}
BENCHMARK(BM_ScenarioFilesOnFreshDevices)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace lunadoze::sim
