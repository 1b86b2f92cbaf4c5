#include "sim/settings/SettingsProcess.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "sim/CommandError.h"
#include "sim/ProgramFiles.h"

namespace lunadoze::sim {

std::filesystem::path SettingsProcess::defaultProgram() {
  return ProgramFiles::settingsProgram();
}

SettingsProcess::SettingsProcess(const std::filesystem::path& root, const std::string& localeIdentifier,
                                 const std::filesystem::path& program) {
  int ends[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
    throw CommandError(std::string("cannot start the Settings app: ") + std::strerror(errno));
  }
  std::string rootArgument = root.string();
  child_ = fork();
  if (child_ == 0) {
    dup2(ends[1], STDIN_FILENO);
    dup2(ends[1], STDOUT_FILENO);
    // The app also tells each failure on standard error for a person; here the reply says it.
    if (const int null = open("/dev/null", O_WRONLY); null >= 0) dup2(null, STDERR_FILENO);
    execl(program.c_str(), program.c_str(), "--root", rootArgument.c_str(), "--locale",
          localeIdentifier.c_str(), "-", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(ends[1]);
  socket_ = ends[0];
  fromApp_ = child_ > 0 ? fdopen(dup(socket_), "r") : nullptr;
  if (fromApp_ == nullptr) {
    int failure = errno;
    close(socket_);
    if (child_ > 0) waitpid(child_, nullptr, 0);
    throw CommandError(std::string("cannot start the Settings app: ") + std::strerror(failure));
  }
}

SettingsProcess::~SettingsProcess() {
  // The end of its input closes the app.
  shutdown(socket_, SHUT_WR);
  fclose(fromApp_);
  close(socket_);
  waitpid(child_, nullptr, 0);
}

std::vector<std::string> SettingsProcess::run(const std::string& command) {
  std::string line = command + "\n";
  for (size_t sent = 0; sent < line.size();) {
    ssize_t count = send(socket_, line.data() + sent, line.size() - sent, MSG_NOSIGNAL);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) throw CommandError("the Settings app is not running");
    sent += static_cast<size_t>(count);
  }
  std::vector<std::string> lines;
  char* buffer = nullptr;
  size_t capacity = 0;
  ssize_t length = 0;
  while ((length = getline(&buffer, &capacity, fromApp_)) >= 0) {
    std::string reply(buffer, static_cast<size_t>(length));
    if (!reply.empty() && reply.back() == '\n') reply.pop_back();
    if (reply == "ok" || reply.starts_with("error: ") || reply.starts_with("refused: ")) {
      std::free(buffer);
      if (reply == "ok") return lines;
      if (reply.starts_with("refused: ")) throw Refusal(reply.substr(9));
      throw CommandError(reply.substr(7));
    }
    lines.push_back(std::move(reply));
  }
  std::free(buffer);
  throw CommandError("the Settings app ended without answering \"" + command + "\"");
}

}  // namespace lunadoze::sim
