#include "platform/foundation/DeviceFileSystem.h"

#include <algorithm>
#include <system_error>

namespace platform::foundation {
namespace {

std::filesystem::path& currentRoot() {
  static std::filesystem::path root;
  return root;
}

bool isWithin(const std::filesystem::path& path, const std::filesystem::path& directory) {
  auto [mismatch, _] = std::mismatch(directory.begin(), directory.end(), path.begin(), path.end());
  return mismatch == directory.end();
}

}  // namespace

void DeviceFileSystem::setRoot(std::filesystem::path hostDirectory) {
  // Held resolved, so that the containment check compares like with like.
  std::error_code error;
  auto resolved = std::filesystem::weakly_canonical(std::filesystem::absolute(hostDirectory), error);
  if (error) resolved = std::filesystem::absolute(hostDirectory).lexically_normal();
  if (resolved.has_relative_path() && resolved.filename().empty()) resolved = resolved.parent_path();
  currentRoot() = std::move(resolved);
}

const std::filesystem::path& DeviceFileSystem::root() {
  return currentRoot();
}

std::optional<std::filesystem::path> DeviceFileSystem::resolve(std::string_view devicePath) {
  const auto& root = currentRoot();
  if (root.empty() || devicePath.empty() || devicePath.front() != '/') return std::nullopt;
  if (devicePath.find('\0') != std::string_view::npos) return std::nullopt;

  // ".." is taken lexically first: "/var/../etc" is the device's /etc, "/.." is refused.
  std::filesystem::path relative;
  for (const auto& part : std::filesystem::path(devicePath).relative_path()) {
    if (part == "..") {
      if (relative.empty()) return std::nullopt;
      relative = relative.parent_path();
    } else if (!part.empty() && part != ".") {
      relative /= part;
    }
  }
  std::filesystem::path host = root / relative;

  // Then the links on the way: only a link can lead out of the root, so the path is resolved in
  // full only when a component is one, and must then still be inside the root. Looking at each
  // component costs far less than resolving every path, and paths are resolved on every layout.
  std::filesystem::path walked = root;
  for (const auto& part : relative) {
    walked /= part;
    std::error_code error;
    const auto status = std::filesystem::symlink_status(walked, error);
    // Below a component that does not exist, nothing exists, links included.
    if (!std::filesystem::exists(status)) break;
    if (std::filesystem::is_symlink(status)) {
      auto resolved = std::filesystem::weakly_canonical(host, error);
      if (error || !isWithin(resolved, root)) return std::nullopt;
      break;
    }
  }
  return host;
}

}  // namespace platform::foundation
