#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>

#include "sim/DeviceRoot.h"

namespace lunadoze::sim {
namespace {

namespace fs = std::filesystem;

std::string readLine(int fd) {
  std::string line;
  char c;
  while (read(fd, &c, 1) == 1 && c != '\n') line.push_back(c);
  return line;
}

// Starts a program that stages a fresh device, tells where, and waits to be ended; returns its
// process and the device's directory.
std::pair<pid_t, fs::path> startProgramWithAFreshDevice() {
  int ends[2];
  if (pipe(ends) != 0) return {-1, {}};
  const pid_t program = fork();
  if (program == 0) {
    close(ends[0]);
    try {
      DeviceRoot root(std::nullopt, LUNADOZE_STAGE_DIR);
      const std::string line = root.path().string() + "\n";
      if (write(ends[1], line.data(), line.size()) != static_cast<ssize_t>(line.size())) _exit(1);
      pause();
    } catch (...) {
    }
    _exit(1);
  }
  close(ends[1]);
  fs::path path = program > 0 ? fs::path(readLine(ends[0])) : fs::path();
  close(ends[0]);
  return {program, path};
}

// A person ends a run with Ctrl-C, or a harness kills it: no destructor runs, and the temporary
// device must go all the same.
class KilledProgramTest : public ::testing::TestWithParam<int> {};

TEST_P(KilledProgramTest, TakesItsFreshDeviceWithIt) {
  // What removes the device outlives the program; as their subreaper the test waits for it too.
  ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
  auto [program, path] = startProgramWithAFreshDevice();
  ASSERT_GT(program, 0);
  ASSERT_FALSE(path.empty());
  EXPECT_TRUE(fs::exists(path / "Library/MobileSubstrate/DynamicLibraries/Lunadoze.dylib"));

  kill(program, GetParam());
  // Every child of this test ends: the program, then whatever it left behind.
  while (waitpid(-1, nullptr, 0) > 0 || errno == EINTR) {
  }
  EXPECT_FALSE(fs::exists(path));
  std::error_code ignored;
  fs::remove_all(path, ignored);
}

INSTANTIATE_TEST_SUITE_P(DeviceRootTest, KilledProgramTest, ::testing::Values(SIGINT, SIGKILL),
                         [](const auto& info) { return info.param == SIGINT ? "Interrupted" : "Killed"; });

}  // namespace
}  // namespace lunadoze::sim
