#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>

namespace lunadoze::sim {

// The device's file system on the host. Without a chosen directory, a fresh device is staged in
// a temporary directory and removed with this object, or when the process ends without destroying
// it (a Ctrl-C, a kill); a chosen directory is staged when it holds no device yet (it is missing or
// empty) and used as it is otherwise.
class DeviceRoot {
 public:
  // `stage` is the device root that the build staged. Throws std::runtime_error when the device
  // cannot be set up.
  DeviceRoot(const std::optional<std::filesystem::path>& chosen, const std::filesystem::path& stage);
  ~DeviceRoot();
  DeviceRoot(const DeviceRoot&) = delete;
  DeviceRoot& operator=(const DeviceRoot&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  // A process of its own that removes the temporary directory once this process no longer holds
  // the pipe to it: at the destructor, or when the process ends however it ends.
  void startRemover();
  void stopRemover();

  std::filesystem::path path_;
  bool isTemporary_;
  pid_t remover_ = -1;
  // The write end of the remover's pipe; nothing is ever written to it.
  int removerPipe_ = -1;
};

}  // namespace lunadoze::sim
