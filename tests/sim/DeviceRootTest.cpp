#include <gtest/gtest.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>

#include "sim/DeviceRoot.h"

namespace lunadoze::sim {
namespace {

namespace fs = std::filesystem;

std::string readLine(int fd) {
  std::string line;
  char c = 0;
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

// A stage of its own, so that a test can rebuild "the package" without touching the build's.
class StagedDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    base = fs::temp_directory_path() / ("lunadoze-stage-test-" + std::to_string(getpid()));
    fs::remove_all(base);
    stage = base / "stage";
    device = base / "device";
    fs::create_directories(stage / "Library/MobileSubstrate/DynamicLibraries");
    fs::create_directories(stage / "var/mobile/Library/Preferences");
    write(stage / "Library/MobileSubstrate/DynamicLibraries/Lunadoze.dylib", std::string(100'000, 'a'));
    write(stage / "Library/small.plist", "old");
  }
  void TearDown() override { fs::remove_all(base); }

  static void write(const fs::path& path, const std::string& contents) {
    fs::remove(path);
    std::ofstream(path) << contents;
  }
  static std::string read(const fs::path& path) {
    std::ifstream file(path);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }
  // The build writes its package anew, a moment later than the device's copy.
  void rebuild() {
    write(stage / "Library/small.plist", "new");
    fs::last_write_time(stage / "Library/small.plist",
                        fs::file_time_type::clock::now() + std::chrono::seconds(5));
  }

  fs::path base, stage, device;
};

TEST_F(StagedDeviceTest, LargeFilesAreLinkedAndSmallOnesCopied) {
  DeviceRoot root(device, stage);
  const fs::path library = device / "Library/MobileSubstrate/DynamicLibraries/Lunadoze.dylib";
  EXPECT_TRUE(fs::equivalent(library, stage / "Library/MobileSubstrate/DynamicLibraries/Lunadoze.dylib"));
  EXPECT_FALSE(fs::equivalent(device / "Library/small.plist", stage / "Library/small.plist"));
  EXPECT_EQ(read(device / "Library/small.plist"), "old");
  EXPECT_TRUE(root.notice().empty());
}

TEST_F(StagedDeviceTest, ADirectoryThatHoldsSomethingElseIsRefused) {
  fs::create_directories(device / "photos");
  EXPECT_THROW(DeviceRoot(device, stage), std::runtime_error);
  EXPECT_FALSE(fs::exists(device / "Library"));
}

TEST_F(StagedDeviceTest, AKeptDeviceOlderThanTheBuildIsRestagedKeepingItsData) {
  { DeviceRoot root(device, stage); }
  write(device / "var/mobile/Library/Preferences/settings.plist", "mine");
  fs::remove(device / "Library/MobileSubstrate/DynamicLibraries/Lunadoze.dylib");
  {
    DeviceRoot root(device, stage);
    EXPECT_TRUE(root.notice().empty()) << "a removed file is no reason to re-stage";
  }
  rebuild();
  DeviceRoot root(device, stage);
  EXPECT_NE(root.notice().find("staged it afresh"), std::string::npos);
  EXPECT_EQ(read(device / "Library/small.plist"), "new");
  EXPECT_TRUE(fs::exists(device / "Library/MobileSubstrate/DynamicLibraries/Lunadoze.dylib"));
  EXPECT_EQ(read(device / "var/mobile/Library/Preferences/settings.plist"), "mine");
}

TEST_F(StagedDeviceTest, ReinstallKeepsTheDataAndEraseDoesNot) {
  DeviceRoot root(device, stage);
  write(device / "var/mobile/Library/Preferences/settings.plist", "mine");
  write(device / "Library/extra", "left behind");
  write(device / "var/lib/other", "other package");
  root.reinstall();
  EXPECT_FALSE(fs::exists(device / "Library/extra"));
  EXPECT_FALSE(fs::exists(device / "var/lib/other"));
  EXPECT_EQ(read(device / "var/mobile/Library/Preferences/settings.plist"), "mine");
  EXPECT_EQ(read(device / "Library/small.plist"), "old");
  root.erase();
  EXPECT_FALSE(fs::exists(device / "var/mobile/Library/Preferences/settings.plist"));
  EXPECT_TRUE(fs::is_directory(device / "var/mobile/Library/Preferences"));
  EXPECT_EQ(read(device / "Library/small.plist"), "old");
}

TEST_F(StagedDeviceTest, ARestoredDeviceIsAsStaged) {
  DeviceRoot root(device, stage);
  write(device / "var/mobile/Library/Preferences/settings.plist", "mine");
  // A directory where the settings file's lock goes blocks every write of the next script.
  fs::create_directories(device / "var/mobile/Library/Preferences/settings.plist.lock");
  fs::create_directories(device / "var/run/notify");
  write(device / "var/run/notify/posted", "");
  write(device / "Library/small.plist", "rewritten");
  fs::remove(device / "Library/MobileSubstrate/DynamicLibraries/Lunadoze.dylib");
  root.restore();
  EXPECT_FALSE(fs::exists(device / "var/mobile/Library/Preferences/settings.plist"));
  EXPECT_FALSE(fs::exists(device / "var/mobile/Library/Preferences/settings.plist.lock"));
  EXPECT_TRUE(fs::is_directory(device / "var/mobile/Library/Preferences"));
  EXPECT_FALSE(fs::exists(device / "var/run/notify/posted"));
  EXPECT_TRUE(fs::is_directory(device / "var/run/notify")) << "a watched directory stays";
  EXPECT_EQ(read(device / "Library/small.plist"), "old");
  EXPECT_TRUE(fs::equivalent(device / "Library/MobileSubstrate/DynamicLibraries/Lunadoze.dylib",
                             stage / "Library/MobileSubstrate/DynamicLibraries/Lunadoze.dylib"));
  // Rewritten through a link, the build's own file would change: a device file is replaced instead.
  EXPECT_EQ(fs::hard_link_count(stage / "Library/MobileSubstrate/DynamicLibraries/Lunadoze.dylib"), 2u);
}

}  // namespace
}  // namespace lunadoze::sim
