#include "platform/foundation/DeviceFileSystem.h"

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace platform::foundation {
namespace {

struct Root {
  std::filesystem::path path;
  // Opened when first needed: the directory may be made after the root is set.
  int descriptor = -1;
};

Root& currentRoot() {
  static Root root;
  return root;
}

bool isWithin(const std::filesystem::path& path, const std::filesystem::path& directory) {
  auto [mismatch, _] = std::mismatch(directory.begin(), directory.end(), path.begin(), path.end());
  return mismatch == directory.end();
}

// The root-relative path of an absolute device path with "." and ".." taken lexically ("/var/../etc" is the
// device's /etc); nullopt when ".." would climb above the root.
std::optional<std::string> relativeToRoot(std::string_view devicePath) {
  if (currentRoot().path.empty() || devicePath.empty() || devicePath.front() != '/') return std::nullopt;
  if (devicePath.find('\0') != std::string_view::npos) return std::nullopt;
  std::string relative;
  relative.reserve(devicePath.size());
  size_t start = 0;
  while (start < devicePath.size()) {
    size_t end = devicePath.find('/', start);
    if (end == std::string_view::npos) end = devicePath.size();
    const std::string_view part = devicePath.substr(start, end - start);
    start = end + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (relative.empty()) return std::nullopt;
      const size_t slash = relative.rfind('/');
      relative.resize(slash == std::string::npos ? 0 : slash);
      continue;
    }
    if (!relative.empty()) relative += '/';
    relative += part;
  }
  return relative;
}

// Opens below the root in one walk by the kernel, refusing any step out of it (EXDEV), an absolute
// link included. ENOSYS where the kernel has no openat2.
int openBeneath(int rootDescriptor, const std::string& relative, int flags) {
  open_how how{};
  how.flags = static_cast<uint64_t>(flags) | O_CLOEXEC;
  how.resolve = RESOLVE_BENEATH | RESOLVE_NO_MAGICLINKS;
  return static_cast<int>(
      syscall(SYS_openat2, rootDescriptor, relative.empty() ? "." : relative.c_str(), &how, sizeof how));
}

int rootDescriptor() {
  Root& root = currentRoot();
  if (root.descriptor < 0) root.descriptor = ::open(root.path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  return root.descriptor;
}

// The root's descriptor, with the device path relative to the root in `relative`; -1 with errno
// set when the path is refused (EXDEV) or there is no root.
int rootBeneath(std::string_view devicePath, std::string& relative) {
  auto path = relativeToRoot(devicePath);
  if (!path) {
    errno = EXDEV;
    return -1;
  }
  relative = std::move(*path);
  return rootDescriptor();
}

enum class Links { StayInside, LeaveTheRoot, Unknown };

// A missing component ends the walk without a verdict on what lies below it: nothing does, links
// included.
Links walkBeneath(const std::string& relative) {
  const int root = rootDescriptor();
  if (root < 0) return Links::StayInside;
  const int descriptor = openBeneath(root, relative, O_PATH);
  if (descriptor >= 0) {
    close(descriptor);
    return Links::StayInside;
  }
  if (errno == EXDEV || errno == ELOOP) return Links::LeaveTheRoot;
  if (errno == ENOSYS || errno == EAGAIN || errno == EINTR) return Links::Unknown;
  return Links::StayInside;
}

// The same check without openat2: each component is looked at, and only a link is resolved.
Links walkComponents(const std::filesystem::path& root, const std::filesystem::path& host) {
  std::filesystem::path walked = root;
  for (const auto& part : host.lexically_relative(root)) {
    walked /= part;
    std::error_code error;
    const auto status = std::filesystem::symlink_status(walked, error);
    if (!std::filesystem::exists(status)) break;
    if (std::filesystem::is_symlink(status)) {
      auto resolved = std::filesystem::weakly_canonical(host, error);
      return !error && isWithin(resolved, root) ? Links::StayInside : Links::LeaveTheRoot;
    }
  }
  return Links::StayInside;
}

}  // namespace

void DeviceFileSystem::setRoot(const std::filesystem::path& hostDirectory) {
  // Held resolved, so that the containment check compares like with like.
  std::error_code error;
  auto resolved = std::filesystem::weakly_canonical(std::filesystem::absolute(hostDirectory), error);
  if (error) resolved = std::filesystem::absolute(hostDirectory).lexically_normal();
  if (resolved.has_relative_path() && resolved.filename().empty()) resolved = resolved.parent_path();
  Root& root = currentRoot();
  if (root.descriptor >= 0) close(root.descriptor);
  root = Root{std::move(resolved), -1};
}

const std::filesystem::path& DeviceFileSystem::root() {
  return currentRoot().path;
}

std::optional<std::filesystem::path> DeviceFileSystem::resolve(std::string_view devicePath) {
  const auto relative = relativeToRoot(devicePath);
  if (!relative) return std::nullopt;
  const std::filesystem::path& root = currentRoot().path;
  if (relative->empty()) return root;
  std::filesystem::path host = root / *relative;

  // Then the links on the way: only a link can lead out of the root. The kernel walks the path
  // once rather than being asked about each component.
  Links links = walkBeneath(*relative);
  if (links == Links::Unknown) links = walkComponents(root, host);
  if (links == Links::LeaveTheRoot) return std::nullopt;
  return host;
}

int DeviceFileSystem::open(std::string_view devicePath, int flags) {
  std::string relative;
  const int root = rootBeneath(devicePath, relative);
  if (root < 0) return -1;
  const int descriptor = openBeneath(root, relative, flags);
  if (descriptor >= 0 || errno != ENOSYS) return descriptor;
  const auto host = resolve(devicePath);
  if (!host) {
    errno = EXDEV;
    return -1;
  }
  return ::open(host->c_str(), flags | O_CLOEXEC);
}

int DeviceFileSystem::openDirectory(std::string_view devicePath) {
  std::string relative;
  const int root = rootBeneath(devicePath, relative);
  if (root < 0) return -1;
  // Each missing component is made in the directory its parent resolved to, so that a link
  // swapped in meanwhile cannot redirect the mkdir.
  int parent = fcntl(root, F_DUPFD_CLOEXEC, 0);
  size_t end = 0;
  while (parent >= 0) {
    end = relative.find('/', end + 1);
    const std::string prefix = relative.substr(0, end);
    const std::string part = prefix.substr(prefix.rfind('/') + 1);
    const bool last = end == std::string::npos;
    const int flags = (last ? O_RDONLY : O_PATH) | O_DIRECTORY;
    int next = openBeneath(root, prefix, flags);
    if (next < 0 && errno == ENOSYS) next = openat(parent, part.c_str(), flags | O_NOFOLLOW | O_CLOEXEC);
    if (next < 0 && errno == ENOENT && !part.empty() &&
        (mkdirat(parent, part.c_str(), 0755) == 0 || errno == EEXIST))
      next = openat(parent, part.c_str(), flags | O_NOFOLLOW | O_CLOEXEC);
    const int error = errno;
    close(parent);
    errno = error;
    parent = next;
    if (last) break;
  }
  return parent;
}

}  // namespace platform::foundation
