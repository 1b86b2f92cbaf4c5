#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
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

// lunadoze-sim's repl on a pseudo-terminal, typed at as a person types.
class Repl {
 public:
  explicit Repl(const fs::path& history, bool realtime = false)
      : child_(forkpty(&terminal_, nullptr, nullptr, nullptr)) {
    const fs::path program = SettingsProcess::defaultProgram().parent_path() / "lunadoze-sim";
    if (child_ == 0) {
      setenv("LUNADOZE_SIM_HISTORY", history.c_str(), 1);
      if (realtime) {
        execl(program.c_str(), program.c_str(), "--realtime", "repl", static_cast<char*>(nullptr));
      } else {
        execl(program.c_str(), program.c_str(), "repl", static_cast<char*>(nullptr));
      }
      _exit(127);
    }
  }
  ~Repl() {
    if (terminal_ >= 0) close(terminal_);
    if (child_ > 0) waitpid(child_, nullptr, 0);
  }

  void type(const std::string& keys) {
    ASSERT_EQ(write(terminal_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
  }

  // What the terminal shows from now until `text` appears (or the program ends, or it takes far
  // too long: a hung repl fails the test instead of hanging it).
  std::string readUntil(const std::string& text) {
    while (seen_.find(text) == std::string::npos) {
      pollfd ready{terminal_, POLLIN, 0};
      if (poll(&ready, 1, 20'000) <= 0) break;
      char buffer[4096];
      const ssize_t count = read(terminal_, buffer, sizeof buffer);
      if (count <= 0) break;
      seen_.append(buffer, static_cast<size_t>(count));
    }
    const size_t end = seen_.find(text);
    std::string shown = seen_.substr(0, end == std::string::npos ? seen_.size() : end + text.size());
    seen_.erase(0, shown.size());
    return shown;
  }

  int exitStatus() {
    int status = 0;
    waitpid(child_, &status, 0);
    child_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  int terminal_ = -1;
  pid_t child_ = -1;
  std::string seen_;
};

TEST(ReplTest, EditsLinesCompletesAndKeepsItsHistory) {
  const fs::path history = fs::temp_directory_path() / ("lunadoze-repl-history-" + std::to_string(getpid()));
  fs::remove(history);
  {
    Repl repl(history);
    EXPECT_NE(repl.readUntil("] > ").find("help lists the commands"), std::string::npos);
    // Tab completes the command, and the state key after it.
    repl.type("ech\thello\r");
    EXPECT_NE(repl.readUntil("] > ").find("\nhello"), std::string::npos);
    repl.type("boot\rwait 90\rexpect music.vo\t0.5\r");
    EXPECT_NE(repl.readUntil("[00:01:30] > ").find("[00:00:00] > "), std::string::npos);
    // The up arrow brings the last line back, to be run again.
    repl.type("\x1b[A\r");
    repl.readUntil("[00:01:30] > ");
    repl.type("state\r");
    EXPECT_TRUE(repl.readUntil("\nmusic.volume: 0.5").ends_with("music.volume: 0.5"));
    repl.type("quit\r");
    repl.readUntil("\n");
    EXPECT_EQ(repl.exitStatus(), 0);
  }
  std::ifstream kept(history);
  const std::string lines((std::istreambuf_iterator<char>(kept)), std::istreambuf_iterator<char>());
  EXPECT_NE(lines.find("boot"), std::string::npos) << lines;
  {
    // The next run starts with that history.
    Repl repl(history);
    repl.readUntil("] > ");
    repl.type("\x1b[A\x1b[A\r");
    EXPECT_NE(repl.readUntil("] > ").find("state"), std::string::npos);
    repl.type("exit\r");
    repl.readUntil("\n");
  }
  fs::remove(history);
}

TEST(ReplTest, InRealTimeTheStatusLineStaysJustAboveThePrompt) {
  const fs::path history =
      fs::temp_directory_path() / ("lunadoze-repl-rt-history-" + std::to_string(getpid()));
  Repl repl(history, true);
  const std::string first = repl.readUntil("] > ");
  EXPECT_NE(first.find("snooze idle  volume 0.5\r\n["), std::string::npos) << first;
  repl.type("echo hello\r");
  // Once the line is read, the status line above it goes (its row deleted), and comes back above
  // the next prompt, under what the command printed.
  const std::string next = repl.readUntil("] > ");
  const size_t deleted = next.find("\x1b[2A\x1b[M\x1b[1B");
  ASSERT_NE(deleted, std::string::npos) << next;
  const size_t printed = next.find("hello\r\n", deleted);
  ASSERT_NE(printed, std::string::npos) << next;
  EXPECT_NE(next.find("volume 0.5\r\n[", printed), std::string::npos) << next;
  repl.type("quit\r");
  repl.readUntil("\n");
  EXPECT_EQ(repl.exitStatus(), 0);
  fs::remove(history);
}

}  // namespace
}  // namespace lunadoze::sim
