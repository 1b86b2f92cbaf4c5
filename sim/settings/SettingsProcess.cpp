#include "sim/settings/SettingsProcess.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "sim/CommandError.h"

namespace lunadoze::sim {

std::filesystem::path SettingsProcess::defaultProgram() {
  return LUNADOZE_SETTINGS_PROGRAM;
}

SettingsProcess::SettingsProcess(const std::filesystem::path& root, std::filesystem::path program) {
  int input[2];
  int output[2];
  if (pipe2(input, O_CLOEXEC) != 0)
    throw CommandError(std::string("cannot start the Settings app: ") + std::strerror(errno));
  if (pipe2(output, O_CLOEXEC) != 0) {
    close(input[0]);
    close(input[1]);
    throw CommandError(std::string("cannot start the Settings app: ") + std::strerror(errno));
  }
  child_ = fork();
  if (child_ == 0) {
    dup2(input[0], STDIN_FILENO);
    dup2(output[1], STDOUT_FILENO);
    std::string rootArgument = root.string();
    execl(program.c_str(), program.c_str(), "--root", rootArgument.c_str(), "-", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(input[0]);
  close(output[1]);
  toApp_ = fdopen(input[1], "w");
  fromApp_ = fdopen(output[0], "r");
  if (child_ < 0 || toApp_ == nullptr || fromApp_ == nullptr) {
    throw CommandError(std::string("cannot start the Settings app: ") + std::strerror(errno));
  }
}

SettingsProcess::~SettingsProcess() {
  if (toApp_ != nullptr) fclose(toApp_);
  if (fromApp_ != nullptr) fclose(fromApp_);
  if (child_ > 0) waitpid(child_, nullptr, 0);
}

std::vector<std::string> SettingsProcess::run(const std::string& command) {
  if (std::fputs((command + "\n").c_str(), toApp_) < 0 || std::fflush(toApp_) != 0) {
    throw CommandError("the Settings app is not running");
  }
  std::vector<std::string> lines;
  char* buffer = nullptr;
  size_t capacity = 0;
  ssize_t length;
  while ((length = getline(&buffer, &capacity, fromApp_)) >= 0) {
    std::string line(buffer, length);
    if (!line.empty() && line.back() == '\n') line.pop_back();
    if (line == "ok") {
      std::free(buffer);
      return lines;
    }
    if (line.starts_with("error: ")) {
      std::free(buffer);
      throw CommandError(line.substr(7));
    }
    lines.push_back(std::move(line));
  }
  std::free(buffer);
  throw CommandError("the Settings app ended without answering \"" + command + "\"");
}

}  // namespace lunadoze::sim
