#include "sim/pictures/FileReplacement.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

namespace lunadoze::sim {
namespace {

std::filesystem::path folderOf(const std::filesystem::path& path) {
  return path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
}

}  // namespace

void replaceFile(const std::filesystem::path& path, std::span<const unsigned char> bytes) {
  const auto folder = folderOf(path);
  std::filesystem::path temporary;
  int fd = -1;
  for (int attempt = 0; fd < 0; ++attempt) {
    std::string name = path.filename().string();
    name.insert(0, 1, '.');
    name += '.' + std::to_string(getpid()) + '.' + std::to_string(attempt) + ".tmp";
    temporary = folder / name;
    // Created as any new file is, with the permissions the umask leaves.
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && (errno != EEXIST || attempt >= 100))
      throw std::runtime_error("cannot write " + path.string() + ": " + std::strerror(errno));
  }
  int error = 0;
  for (size_t done = 0; done < bytes.size() && error == 0;) {
    const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (wrote < 0 && errno != EINTR) error = errno;
    if (wrote > 0) done += static_cast<size_t>(wrote);
  }
  if (::close(fd) != 0 && error == 0) error = errno;
  // The old file goes first: renamed over, ext4 would write the new one out to the disk there and
  // then, which costs a screenshot three times what the rest of its write does. What is lost is
  // only the old picture, should the rename then fail.
  if (error == 0 && ::unlink(path.c_str()) != 0 && errno != ENOENT && errno != EISDIR) error = errno;
  if (error == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    throw std::runtime_error("cannot write " + path.string() + ": " + std::strerror(error));
  }
}

void replaceFile(const std::filesystem::path& path, std::string_view text) {
  replaceFile(path, {reinterpret_cast<const unsigned char*>(text.data()), text.size()});
}

void checkFolderOf(const std::filesystem::path& path) {
  // Searched and written to, as making a file in it needs; by the effective user, as open() does.
  int error = ::faccessat(AT_FDCWD, folderOf(path).c_str(), W_OK | X_OK, AT_EACCESS) != 0 ? errno : 0;
  // A folder where the file should go is never replaced.
  std::error_code ignored;
  if (error == 0 && std::filesystem::is_directory(path, ignored)) error = EISDIR;
  if (error != 0) throw std::runtime_error("cannot write " + path.string() + ": " + std::strerror(error));
}

}  // namespace lunadoze::sim
