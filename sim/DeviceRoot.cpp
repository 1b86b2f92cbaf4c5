#include "sim/DeviceRoot.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <string>
#include <system_error>

namespace lunadoze::sim {
namespace fs = std::filesystem;
namespace {

fs::path makeTemporaryDirectory() {
  std::string pattern = (fs::temp_directory_path() / "lunadoze-sim.XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot create a temporary device root: " +
                             std::generic_category().message(errno));
  }
  return pattern;
}

void stageInto(const fs::path& root, const fs::path& stage) {
  if (!fs::is_directory(stage)) {
    throw std::runtime_error("no staged device at " + stage.string() + " (build the device_root target)");
  }
  fs::copy(stage, root, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
}

}  // namespace

DeviceRoot::DeviceRoot(const std::optional<fs::path>& chosen, const fs::path& stage)
    : path_(chosen ? fs::absolute(*chosen) : makeTemporaryDirectory()), isTemporary_(!chosen) {
  try {
    if (isTemporary_) startRemover();
    if (chosen && fs::exists(path_) && !fs::is_directory(path_)) {
      throw std::runtime_error(path_.string() + " is not a directory");
    }
    if (!chosen || !fs::exists(path_) || fs::is_empty(path_)) {
      fs::create_directories(path_);
      stageInto(path_, stage);
    }
  } catch (...) {
    std::error_code ignored;
    if (isTemporary_) fs::remove_all(path_, ignored);
    stopRemover();
    throw;
  }
}

DeviceRoot::~DeviceRoot() {
  std::error_code ignored;
  if (isTemporary_) fs::remove_all(path_, ignored);
  // The directory is gone already: the remover finds nothing left to do.
  stopRemover();
}

void DeviceRoot::startRemover() {
  int ends[2];
  // Close-on-exec, so that the programs this one starts (the Settings app) do not keep it open.
  if (pipe2(ends, O_CLOEXEC) != 0) {
    throw std::runtime_error("cannot watch the temporary device root: " +
                             std::generic_category().message(errno));
  }
  const pid_t child = fork();
  if (child == 0) {
    // A session of its own: the Ctrl-C that a terminal sends to the simulator's process group, or
    // a harness's kill of that group, must not end the remover with it.
    setsid();
    const int watched = ends[0];
    const int null = open("/dev/null", O_RDWR);
    for (int fd = 0; fd <= 2; ++fd) {
      if (fd != watched && null >= 0) dup2(null, fd);
    }
    // Nothing else stays open: whoever waits for the end of the simulator's output gets it when
    // the simulator ends.
    if (watched > 3) close_range(3, static_cast<unsigned>(watched) - 1, 0);
    close_range(static_cast<unsigned>(watched) + 1, ~0U, 0);
    char byte;
    while (true) {
      const ssize_t count = read(watched, &byte, 1);
      if (count == 0 || (count < 0 && errno != EINTR)) break;
    }
    std::error_code ignored;
    fs::remove_all(path_, ignored);
    _exit(0);
  }
  const int failure = errno;
  close(ends[0]);
  if (child < 0) {
    close(ends[1]);
    throw std::runtime_error("cannot watch the temporary device root: " +
                             std::generic_category().message(failure));
  }
  remover_ = child;
  removerPipe_ = ends[1];
}

void DeviceRoot::stopRemover() {
  if (removerPipe_ >= 0) close(removerPipe_);
  removerPipe_ = -1;
  while (remover_ > 0 && waitpid(remover_, nullptr, 0) < 0 && errno == EINTR) {
  }
  remover_ = -1;
}

}  // namespace lunadoze::sim
