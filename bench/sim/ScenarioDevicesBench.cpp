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

// What one run of the scenario files cost, file by file, and which of them passed.
struct SuiteRun {
  double staging = 0;  // the simulator's first device, which both ways start with
  std::vector<double> seconds;
  std::vector<bool> passed;
};

// Runs the scenario files as `lunadoze-sim FILE...` does: on one device for all, or each on a
// freshly staged device of its own. A file passed when its tally has no failure and none of its
// commands could not be run.
SuiteRun runSuite(const std::vector<std::string>& files, bool freshDevices) {
  SuiteRun run;
  std::ostringstream out;
  std::ostringstream err;
  auto start = Clock::now();
  Simulator simulator(std::nullopt, false);
  ScriptRunner runner(simulator, out, err);
  runner.setFreshDevices(freshDevices);
  run.staging = std::chrono::duration<double>(Clock::now() - start).count();
  for (const std::string& file : files) {
    out.str("");
    err.str("");
    start = Clock::now();
    runner.runFile(file);
    run.seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    // Notes of commands go to the error stream too; what a refused command writes names its line.
    run.passed.push_back(err.str().find(file + ":") == std::string::npos &&
                         out.str().ends_with(" 0 failed\n"));
  }
  return run;
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

double totalSeconds(const std::vector<std::string>& files, bool freshDevices) {
  const SuiteRun run = runSuite(files, freshDevices);
  double total = run.staging;
  for (double seconds : run.seconds) total += seconds;
  return total;
}

// The files on shared devices, each timed where it passed: what one file breaks for those after it
// (the settings it leaves, the files it removes) would make them stop early and do less, so those
// run again together on another shared device, round after round, until none passes any more. The
// staging counted is the first device's alone: the later ones only make the work comparable.
SuiteRun runOnSharedDevices(const std::vector<std::string>& files) {
  SuiteRun result;
  result.seconds.assign(files.size(), 0);
  result.passed.assign(files.size(), false);
  std::vector<size_t> left(files.size());
  for (size_t i = 0; i < files.size(); ++i) left[i] = i;
  for (bool first = true; !left.empty(); first = false) {
    std::vector<std::string> round;
    round.reserve(left.size());
    for (size_t i : left) round.push_back(files[i]);
    const SuiteRun run = runSuite(round, false);
    if (first) result.staging = run.staging;
    std::vector<size_t> failed;
    for (size_t k = 0; k < left.size(); ++k) {
      if (!run.passed[k]) {
        failed.push_back(left[k]);
        continue;
      }
      result.seconds[left[k]] = run.seconds[k];
      result.passed[left[k]] = true;
    }
    if (failed.size() == left.size()) break;
    left = std::move(failed);
  }
  return result;
}

// What a device of its own for every scenario file costs. "fresh/shared": the files that pass both
// ways, each file's own time on fresh devices over its time on a shared one, with the first
// device's staging, measured in one run; "compared" counts those files. "device_ms": what one
// fresh device costs, measured with scripts that do nothing.
void BM_ScenarioFilesOnFreshDevices(benchmark::State& state) {
  const auto files = scenarioFiles();
  const EmptyScripts empty(files.size());
  double shared = 0;
  double fresh = 0;
  double devices = 0;
  size_t compared = 0;
  for (auto _ : state) {
    const SuiteRun sharedRun = runOnSharedDevices(files);
    const SuiteRun freshRun = runSuite(files, true);
    double sharedSeconds = sharedRun.staging;
    double freshSeconds = freshRun.staging;
    compared = 0;
    for (size_t i = 0; i < files.size(); ++i) {
      if (!sharedRun.passed[i] || !freshRun.passed[i]) continue;
      sharedSeconds += sharedRun.seconds[i];
      freshSeconds += freshRun.seconds[i];
      ++compared;
    }
    shared += sharedSeconds;
    fresh += freshSeconds;
    devices += totalSeconds(empty.files(), true) - totalSeconds(empty.files(), false);
    state.SetIterationTime(freshSeconds);
  }
  const auto runs = static_cast<double>(state.iterations());
  state.counters["files"] = static_cast<double>(files.size());
  state.counters["compared"] = static_cast<double>(compared);
  state.counters["fresh/shared"] = fresh / shared;
  state.counters["device_ms"] = devices / runs / static_cast<double>(files.size() - 1) * 1000;
}
BENCHMARK(BM_ScenarioFilesOnFreshDevices)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace lunadoze::sim
