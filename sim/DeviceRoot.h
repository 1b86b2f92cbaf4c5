#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>

namespace lunadoze::sim {

// The device's file system on the host. Without a chosen directory, a fresh device is staged in
// a temporary directory and removed with this object, or when the process ends without destroying
// it (a Ctrl-C, a kill); a chosen directory is staged when it holds no device yet (it is missing or
// empty), re-staged when the build's package is newer than its copy, and used as it is otherwise.
// A chosen directory that holds something else is refused: staging into it would mix the two.
//
// Staging links the package's large files (the libraries) to the build's rather than copying
// them, so that a fresh device costs little; whatever writes a device file replaces it instead of
// writing through the link.
class DeviceRoot {
 public:
  // `stage` is the device root that the build staged. Throws std::runtime_error when the device
  // cannot be set up.
  DeviceRoot(const std::optional<std::filesystem::path>& chosen, const std::filesystem::path& stage);
  ~DeviceRoot();
  DeviceRoot(const DeviceRoot&) = delete;
  DeviceRoot& operator=(const DeviceRoot&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Set when a kept device was re-staged because the build's package was newer: what to tell.
  const std::string& notice() const { return notice_; }

  // Removes every file of the device and stages it afresh.
  void erase();
  // Stages the package's files afresh; what lies under /var/mobile stays.
  void reinstall();
  // Brings the device back to what staging made, as a freshly staged device would be: the files
  // added go (directories stay, empty), what was removed or rewritten is staged again. It costs a look at
  // each file rather than a new device, so that every script can have a device as new as its own.
  void restore();

  // Whether the directory holds a device: the data directory that staging lays and that no
  // command removes, or the system directory.
  static bool holdsDevice(const std::filesystem::path& directory);

 private:
  // A process of its own that removes the temporary directory once this process no longer holds
  // the pipe to it: at the destructor, or when the process ends however it ends.
  void startRemover();
  void stopRemover();

  std::filesystem::path path_;
  std::filesystem::path stage_;
  bool isTemporary_;
  std::string notice_;
  pid_t remover_ = -1;
  // The write end of the remover's pipe; nothing is ever written to it.
  int removerPipe_ = -1;
};

}  // namespace lunadoze::sim
