#include "sim/DeviceRoot.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

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

// Package files of this size or more are linked to the build's rather than copied: the
// libraries, which make up most of a device; the small files, which commands may rewrite, are
// copies.
constexpr std::uintmax_t kLinkedSize = std::uintmax_t{64} * 1024;

// The person's data, which a reinstall keeps and which marks a directory as a device.
const fs::path kUserData = "var/mobile";

bool isUserData(const fs::path& relative) {
  auto [data, path] = std::ranges::mismatch(kUserData, relative);
  return data == kUserData.end();
}

void requireStage(const fs::path& stage) {
  if (!fs::is_directory(stage)) {
    throw std::runtime_error("no staged device at " + stage.string() + " (build the device_root target)");
  }
}

// Puts one staged file at its place in the device: a link to a large file, else a copy with the
// staged file's time, so that a later build is recognised as newer.
void stageFile(const fs::path& from, const fs::path& to) {
  fs::remove(to);
  // Across file systems no link can be made, and a copy does.
  std::error_code linkError;
  const bool large = fs::file_size(from) >= kLinkedSize;
  if (large) fs::create_hard_link(from, to, linkError);
  if (!large || linkError) {
    fs::copy_file(from, to);
    fs::last_write_time(to, fs::last_write_time(from));
  }
}

// Puts one entry of the stage at its place in the device.
void stageEntry(const fs::directory_entry& staged, const fs::path& target) {
  if (staged.is_symlink()) {
    fs::remove(target);
    fs::copy_symlink(staged.path(), target);
  } else if (staged.is_directory()) {
    fs::create_directories(target);
  } else {
    stageFile(staged.path(), target);
  }
}

// Stages the build's files into the device; with `keepUserData`, what the device already holds
// under /var/mobile stays as it is.
void stageInto(const fs::path& root, const fs::path& stage, bool keepUserData) {
  requireStage(stage);
  for (auto entry = fs::recursive_directory_iterator(stage); entry != fs::recursive_directory_iterator();
       ++entry) {
    const fs::path relative = entry->path().lexically_relative(stage);
    const fs::path target = root / relative;
    if (keepUserData && isUserData(relative) && fs::exists(fs::symlink_status(target))) {
      entry.disable_recursion_pending();
      continue;
    }
    stageEntry(*entry, target);
  }
}

// Whether a package file of the device is older than the build's. A file the device lacks is not:
// a person may have removed it on purpose.
bool packageIsOlder(const fs::path& root, const fs::path& stage) {
  if (!fs::is_directory(stage)) return false;
  for (auto entry = fs::recursive_directory_iterator(stage); entry != fs::recursive_directory_iterator();
       ++entry) {
    const fs::path relative = entry->path().lexically_relative(stage);
    if (isUserData(relative)) {
      entry.disable_recursion_pending();
      continue;
    }
    if (!entry->is_regular_file()) continue;
    std::error_code missing;
    const auto kept = fs::last_write_time(root / relative, missing);
    if (!missing && kept < entry->last_write_time()) return true;
  }
  return false;
}

// Removes every file of the device but the person's data.
void removePackage(const fs::path& root) {
  std::vector<fs::path> removed;
  for (auto entry = fs::recursive_directory_iterator(root); entry != fs::recursive_directory_iterator();
       ++entry) {
    const fs::path relative = entry->path().lexically_relative(root);
    // An ancestor of the data ("var") stays, and is looked into.
    const bool holdsUserData = std::ranges::mismatch(relative, kUserData).in1 == relative.end();
    if (!holdsUserData) removed.push_back(entry->path());
    if (!holdsUserData || isUserData(relative)) entry.disable_recursion_pending();
  }
  for (const fs::path& path : removed) fs::remove_all(path);
}

// Whether the device's entry is still the one staging made from the stage's.
bool isAsStaged(const fs::directory_entry& staged, const fs::path& kept) {
  std::error_code error;
  const auto status = fs::symlink_status(kept, error);
  if (error) return false;
  if (staged.is_symlink())
    return fs::is_symlink(status) && fs::read_symlink(kept) == fs::read_symlink(staged);
  if (staged.is_directory()) return fs::is_directory(status);
  if (!fs::is_regular_file(status)) return false;
  if (fs::equivalent(staged.path(), kept, error)) return true;
  return fs::file_size(kept) == staged.file_size() && fs::last_write_time(kept) == staged.last_write_time();
}

}  // namespace

DeviceRoot::DeviceRoot(const std::optional<fs::path>& chosen, const fs::path& stage)
    : path_(chosen ? fs::absolute(*chosen) : makeTemporaryDirectory()), stage_(stage), isTemporary_(!chosen) {
  try {
    if (isTemporary_) startRemover();
    if (chosen && fs::exists(path_) && !fs::is_directory(path_)) {
      throw std::runtime_error(path_.string() + " is not a directory");
    }
    if (!chosen || !fs::exists(path_) || fs::is_empty(path_)) {
      fs::create_directories(path_);
      stageInto(path_, stage_, false);
    } else if (!holdsDevice(path_)) {
      throw std::runtime_error(
          path_.string() +
          " holds files but no device (no /Library, no /var/mobile): give an empty or new directory, "
          "or the root of a device");
    } else if (packageIsOlder(path_, stage_)) {
      reinstall();
      notice_ = path_.string() +
                ": the build's package is newer than the device's; staged it afresh, "
                "/var/mobile kept";
    }
  } catch (...) {
    std::error_code ignored;
    if (isTemporary_) fs::remove_all(path_, ignored);
    stopRemover();
    throw;
  }
}

bool DeviceRoot::holdsDevice(const fs::path& directory) {
  // The data directory, or the system's: a device laid out by hand may hold its packages only.
  std::error_code ignored;
  return fs::is_directory(directory / kUserData, ignored) || fs::is_directory(directory / "Library", ignored);
}

void DeviceRoot::erase() {
  requireStage(stage_);
  for (const auto& entry : fs::directory_iterator(path_)) fs::remove_all(entry.path());
  stageInto(path_, stage_, false);
}

void DeviceRoot::restore() {
  requireStage(stage_);
  // What was added goes, directories included (an empty one where a file belongs, such as the
  // settings file's lock, blocks every write), but for the directories of the runtime state under
  // /var/run, emptied: one is watched (the cross-process notifications').
  const fs::path runtimeState = path_ / "var/run";
  std::vector<fs::path> added;
  for (auto entry = fs::recursive_directory_iterator(path_); entry != fs::recursive_directory_iterator();
       ++entry) {
    std::error_code missing;
    const fs::path relative = entry->path().lexically_relative(path_);
    if (fs::exists(fs::symlink_status(stage_ / relative, missing))) continue;
    const bool directory = entry->is_directory() && !entry->is_symlink();
    if (directory &&
        (entry->path() == runtimeState || relative.native().starts_with("var/run/") || relative == "var")) {
      continue;
    }
    added.push_back(entry->path());
    if (directory) entry.disable_recursion_pending();
  }
  for (const fs::path& path : added) fs::remove_all(path);
  for (auto entry = fs::recursive_directory_iterator(stage_); entry != fs::recursive_directory_iterator();
       ++entry) {
    const fs::path target = path_ / entry->path().lexically_relative(stage_);
    if (isAsStaged(*entry, target)) continue;
    fs::remove_all(target);
    stageEntry(*entry, target);
  }
}

void DeviceRoot::reinstall() {
  requireStage(stage_);
  removePackage(path_);
  stageInto(path_, stage_, true);
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
    char byte = 0;
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
