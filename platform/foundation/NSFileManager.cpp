#include "platform/foundation/NSFileManager.h"

#include <fcntl.h>
#include <unistd.h>

#include "platform/foundation/DeviceFileSystem.h"

namespace platform::foundation {

NSFileManager* NSFileManager::defaultManager() {
  static NSFileManager manager;
  return &manager;
}

bool NSFileManager::fileExistsAtPath(std::string_view devicePath) const {
  const int descriptor = DeviceFileSystem::open(devicePath, O_PATH);
  if (descriptor < 0) return false;
  close(descriptor);
  return true;
}

}  // namespace platform::foundation
