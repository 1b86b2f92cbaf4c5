#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "sim/settings/SettingsProcess.h"

namespace lunadoze::sim {
namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

// lunadoze-settings as a person runs it from a shell, with `input` on standard input.
class SettingsProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    directory = fs::temp_directory_path() / ("lunadoze-settings-test-" + std::to_string(getpid()));
    fs::remove_all(directory);
    fs::create_directories(directory);
  }
  void TearDown() override { fs::remove_all(directory); }

  Outcome run(const std::string& arguments, const std::string& input = "") {
    std::ofstream(directory / "in") << input;
    const std::string command = SettingsProcess::defaultProgram().string() + " " + arguments + " < " +
                                (directory / "in").string() + " > " + (directory / "out").string() + " 2> " +
                                (directory / "err").string();
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read("out"), read("err")};
  }
  std::string read(const std::string& name) {
    std::ifstream file(directory / name);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }
  std::string root() { return "--root " + (directory / "device").string(); }

  fs::path directory;
};

TEST_F(SettingsProgramTest, HelpAndVersionGoToStandardOutput) {
  Outcome help = run("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.starts_with("usage: lunadoze-settings")) << help.out;
  EXPECT_EQ(run("-h").out, help.out);
  Outcome version = run("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_TRUE(version.out.starts_with("lunadoze-settings ")) << version.out;
  Outcome unknown = run("--colour");
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("--colour"), std::string::npos) << unknown.err;
}

TEST_F(SettingsProgramTest, SetNeedsAKeptDeviceAndEchoesTheRow) {
  Outcome lost = run("set timerDefaultValue 30");
  EXPECT_EQ(lost.status, 2);
  EXPECT_NE(lost.err.find("the change would be lost"), std::string::npos) << lost.err;

  Outcome set = run(root() + " set timerDefaultValue 30");
  EXPECT_EQ(set.status, 0) << set.err;
  EXPECT_EQ(set.out, "1.2 timerDefaultValue = 30\n");
  Outcome labels = run(root() + " show --labels");
  EXPECT_NE(labels.out.find("\n1.2 timerDefaultValue = 30  \"Preset duration (minutes)\"\n"),
            std::string::npos)
      << labels.out;
}

TEST_F(SettingsProgramTest, InOneOpenAppEachErrorNamesItsLineAndTheRunFails) {
  Outcome session =
      run(root() + " -", "show\nset enabld on\n\nset enabled maybe\nset enabled off\nrespring\n");
  EXPECT_EQ(session.status, 2);
  EXPECT_EQ(session.err,
            "stdin:2: no row for the setting \"enabld\" on any page (did you mean enabled?)\n"
            "stdin:4: enabled takes on or off, not \"maybe\"\n");
  EXPECT_NE(session.out.find("refused: enabled takes on or off"), std::string::npos) << session.out;
  EXPECT_TRUE(session.out.ends_with("0.0 enabled = off\nok\nok\n")) << session.out;

  Outcome respring = run(root() + " respring");
  EXPECT_EQ(respring.status, 2);
  EXPECT_NE(respring.err.find("in the same open app"), std::string::npos) << respring.err;
}

}  // namespace
}  // namespace lunadoze::sim
