#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "sim/Demo.h"
#include "sim/ScriptRunner.h"
#include "sim/Simulator.h"
#include "sim/pictures/ScreenPainter.h"
#include "sim/pictures/Storyboard.h"

namespace {

namespace fs = std::filesystem;
using lunadoze::sim::ScreenPainter;
using lunadoze::sim::ScriptRunner;
using lunadoze::sim::Simulator;

void runScript(Simulator& simulator, const std::string& text) {
  std::ostringstream out;
  std::ostringstream err;
  ScriptRunner runner(simulator, out, err);
  std::istringstream script(text);
  runner.runScript(script, "bench.sim");
  if (runner.finish() != 0) throw std::runtime_error(err.str());
}

// The screenshot a person takes most: the expanded module with the panel open, drawn whole (no
// earlier picture to draw over) and encoded.
void BM_ScreenshotOfTheModuleWithThePanel(benchmark::State& state) {
  Simulator simulator{std::nullopt, false};
  runScript(simulator,
            "boot\nmusic queue \"Night Drive\" 1500\nmusic play\ncc expand\ntap sleep\npick time 30\n");
  const fs::path file = fs::temp_directory_path() / ("lunadoze-bench-" + std::to_string(getpid()) + ".png");
  std::ostringstream notes;
  for (auto _ : state) {
    ScreenPainter screens;
    screens.draw(simulator.device(), ScreenPainter::Screen::ControlCenter, notes)->writePng(file);
  }
  fs::remove(file);
}
BENCHMARK(BM_ScreenshotOfTheModuleWithThePanel)->Unit(benchmark::kMillisecond);

// A screen as a ten-hour timer counts down, a second later at each picture: never the last one
// again, each drawn over the one before.
void screenshotsCountingDown(benchmark::State& state, const std::string& then, ScreenPainter::Screen screen) {
  Simulator simulator{std::nullopt, false};
  runScript(simulator,
            "boot\nmusic queue \"Night Drive\" 1500\nmusic play\ncc expand\ntap sleep\npick time "
            "600\ntap confirm\nwait 2\n" +
                then);
  const fs::path file = fs::temp_directory_path() / ("lunadoze-bench-" + std::to_string(getpid()) + ".png");
  std::ostringstream notes;
  ScreenPainter screens;
  for (auto _ : state) {
    state.PauseTiming();
    simulator.device().wait(1);
    state.ResumeTiming();
    screens.draw(simulator.device(), screen, notes)->writePng(file);
  }
  fs::remove(file);
}

void BM_ScreenshotOfTheModuleCountingDown(benchmark::State& state) {
  screenshotsCountingDown(state, "", ScreenPainter::Screen::ControlCenter);
}
BENCHMARK(BM_ScreenshotOfTheModuleCountingDown)->Unit(benchmark::kMillisecond);

// Where most of the demo's pictures are taken.
void BM_ScreenshotOfTheLockScreenCountingDown(benchmark::State& state) {
  screenshotsCountingDown(state, "cc collapse\nlock show\n", ScreenPainter::Screen::LockScreen);
}
BENCHMARK(BM_ScreenshotOfTheLockScreenCountingDown)->Unit(benchmark::kMillisecond);

// The drawing alone, whole, without the PNG encoding.
void BM_DrawingOfTheModuleWithThePanel(benchmark::State& state) {
  Simulator simulator{std::nullopt, false};
  runScript(simulator,
            "boot\nmusic queue \"Night Drive\" 1500\nmusic play\ncc expand\ntap sleep\npick time 30\n");
  std::ostringstream notes;
  for (auto _ : state) {
    ScreenPainter screens;
    benchmark::DoNotOptimize(screens.draw(simulator.device(), ScreenPainter::Screen::ControlCenter, notes));
  }
}
BENCHMARK(BM_DrawingOfTheModuleWithThePanel)->Unit(benchmark::kMillisecond);

// The lock screen with the indicator, drawn whole and alone: most of the demo's pictures are of it.
void BM_DrawingOfTheLockScreen(benchmark::State& state) {
  Simulator simulator{std::nullopt, false};
  runScript(simulator,
            "boot\nmusic queue \"Night Drive\" 1500\nmusic play\ncc expand\ntap sleep\npick time 30\ntap "
            "confirm\nwait 2\ncc collapse\nlock show\n");
  std::ostringstream notes;
  for (auto _ : state) {
    ScreenPainter screens;
    benchmark::DoNotOptimize(screens.draw(simulator.device(), ScreenPainter::Screen::LockScreen, notes));
  }
}
BENCHMARK(BM_DrawingOfTheLockScreen)->Unit(benchmark::kMillisecond);

// The demo, and the demo with a picture per narrated step, run again and again in one simulator
// as in the repl: each run's first pictures are drawn over the last run's.
void BM_Demo(benchmark::State& state) {
  const bool pictures = state.range(0) != 0;
  const fs::path directory = fs::temp_directory_path() / ("lunadoze-bench-demo-" + std::to_string(getpid()));
  Simulator simulator{std::nullopt, false};
  for (auto _ : state) {
    if (pictures) {
      lunadoze::sim::Storyboard storyboard(directory);
      runScript(simulator, storyboard.script(lunadoze::sim::kDemoScript));
      storyboard.writeIndex();
    } else {
      runScript(simulator, std::string(lunadoze::sim::kDemoScript));
    }
  }
  fs::remove_all(directory);
}
BENCHMARK(BM_Demo)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Runs the program with these words, what it prints thrown away; its exit status.
int runProgram(std::vector<std::string> words) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  std::vector<char*> argv(words.size() + 1, nullptr);
  std::transform(words.begin(), words.end(), argv.begin(), [](std::string& word) { return word.data(); });
  pid_t child = 0;
  const int failed = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) return -1;
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The demo as a person runs it: the program started afresh each time, its fonts loaded and its
// first pictures drawn whole, against the same program without pictures. Timed on the wall clock,
// since the work is in another process.
void BM_DemoProgram(benchmark::State& state) {
  const bool pictures = state.range(0) != 0;
  const fs::path directory =
      fs::temp_directory_path() / ("lunadoze-bench-demo-program-" + std::to_string(getpid()));
  std::vector<std::string> words{LUNADOZE_SIM_PROGRAM, "demo"};
  if (pictures) words.insert(words.end(), {"--screenshots", directory.string()});
  for (auto _ : state) {
    if (runProgram(words) != 0) {
      state.SkipWithError("the demo failed");
      break;
    }
  }
  fs::remove_all(directory);
}
BENCHMARK(BM_DemoProgram)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
