#pragma once

#include <string_view>

namespace platform::foundation {

// The file manager, on device paths (see DeviceFileSystem).
class NSFileManager {
 public:
  static NSFileManager* defaultManager();

  // YES when a file or directory is at the path; NO as well for a path the device refuses.
  bool fileExistsAtPath(std::string_view devicePath) const;

 private:
  NSFileManager() = default;
};

}  // namespace platform::foundation
