// Device paths resolved and opened against links the input plants: whatever is reached lies
// inside the device root, and making directories creates nothing outside it.
//
// Input: lines "NAME TARGET" plant a link at /var/NAME (NAME one component), the last line is
// the device path.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/FuzzDevice.h"
#include "platform/foundation/DeviceFileSystem.h"

namespace {

namespace fs = std::filesystem;
using platform::foundation::DeviceFileSystem;

bool within(const fs::path& path, const fs::path& directory) {
  auto [mismatch, _] = std::mismatch(directory.begin(), directory.end(), path.begin(), path.end());
  return mismatch == directory.end();
}

void checkInside(int fd, const fs::path& root) {
  if (fd < 0) return;
  std::error_code error;
  const fs::path reached = fs::read_symlink("/proc/self/fd/" + std::to_string(fd), error);
  close(fd);
  if (!error && !within(reached, root)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static lunadoze::fuzz::FuzzDevice device;
  static const fs::path root = fs::canonical(device.root());
  std::error_code ignored;
  fs::remove_all(root / "var", ignored);
  fs::create_directories(root / "var/mobile", ignored);

  std::string_view input(reinterpret_cast<const char*>(data), size);
  for (int links = 0; links < 8; ++links) {
    const size_t end = input.find('\n');
    if (end == std::string_view::npos) break;
    const std::string_view line = input.substr(0, end);
    input.remove_prefix(end + 1);
    const size_t blank = line.find(' ');
    if (blank == std::string_view::npos) continue;
    const std::string name(line.substr(0, blank));
    const std::string target(line.substr(blank + 1));
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos ||
        name.find('\0') != std::string::npos || target.empty() || target.find('\0') != std::string::npos)
      continue;
    fs::create_symlink(target, root / "var" / name, ignored);
  }

  const std::string devicePath(input);
  if (auto host = DeviceFileSystem::resolve(devicePath)) {
    if (!within(*host, root)) std::abort();
    const fs::path real = fs::weakly_canonical(*host, ignored);
    if (!ignored && !within(real, root)) std::abort();
  }
  checkInside(DeviceFileSystem::open(devicePath, O_PATH), root);
  checkInside(DeviceFileSystem::open(devicePath, O_RDONLY | O_NONBLOCK), root);
  checkInside(DeviceFileSystem::openDirectory(devicePath), root);
  if (!fs::is_empty(device.outside())) std::abort();
  return 0;
}
