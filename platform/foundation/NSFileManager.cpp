#include "platform/foundation/NSFileManager.h"

#include <filesystem>

#include "platform/foundation/DeviceFileSystem.h"

namespace platform::foundation {

NSFileManager* NSFileManager::defaultManager() {
  static NSFileManager manager;
  return &manager;
}

bool NSFileManager::fileExistsAtPath(std::string_view devicePath) const {
  auto path = DeviceFileSystem::resolve(devicePath);
  std::error_code error;
  return path && std::filesystem::exists(*path, error);
}

}  // namespace platform::foundation
