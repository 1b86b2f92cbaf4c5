#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace platform::foundation {

// The device's file system: every absolute device path ("/var/mobile/Library/Preferences/x.plist")
// lies under one root directory of the host. Nothing outside the root is reached through it.
class DeviceFileSystem {
 public:
  // The root stays as set for the life of the process (or until set again). Before it is set
  // there is no device, and every path is refused.
  static void setRoot(const std::filesystem::path& hostDirectory);
  static const std::filesystem::path& root();

  // The host path of a device path; nullopt (refused) when the device path is not absolute, or
  // would leave the root through "..", or through a symbolic link that points outside it.
  static std::optional<std::filesystem::path> resolve(std::string_view devicePath);

  // The file at a device path opened with `flags` (O_PATH only to learn that it is there), in one
  // walk that cannot leave the root; -1 with errno set otherwise (EXDEV for a path that would).
  static int open(std::string_view devicePath, int flags);

  // The directory at a device path, made first with any missing parent, opened (O_DIRECTORY) for
  // the *at calls that create and replace files in it. No link leads out of the root on the way;
  // -1 with errno set otherwise. Files are created through it with O_NOFOLLOW, so that a link
  // where a file belongs is refused rather than written through.
  static int openDirectory(std::string_view devicePath);
};

}  // namespace platform::foundation
