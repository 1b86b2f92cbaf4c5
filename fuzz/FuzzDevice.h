#pragma once

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>

#include "platform/foundation/DeviceFileSystem.h"

namespace lunadoze::fuzz {

// A device root for one fuzzing process, in memory where the host has a tmpfs: the targets write
// a file for every input. Beside it lies a directory that nothing on the device may reach.
class FuzzDevice {
 public:
  FuzzDevice() {
    std::filesystem::path base = std::filesystem::exists("/dev/shm") ? std::filesystem::path("/dev/shm")
                                                                     : std::filesystem::temp_directory_path();
    host_ = base / ("lunadoze-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(root());
    std::filesystem::create_directories(outside());
    platform::foundation::DeviceFileSystem::setRoot(root());
  }
  ~FuzzDevice() {
    std::error_code ignored;
    std::filesystem::remove_all(host_, ignored);
  }
  FuzzDevice(const FuzzDevice&) = delete;
  FuzzDevice& operator=(const FuzzDevice&) = delete;

  std::filesystem::path root() const { return host_ / "device"; }
  std::filesystem::path outside() const { return host_ / "outside"; }

  // The bytes as the file at a device path, its directories made.
  void store(const std::string& devicePath, std::span<const uint8_t> bytes) const {
    const std::filesystem::path file = root() / devicePath.substr(1);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

 private:
  std::filesystem::path host_;
};

}  // namespace lunadoze::fuzz
