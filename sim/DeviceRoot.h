#pragma once

#include <filesystem>
#include <optional>

namespace lunadoze::sim {

// The device's file system on the host. Without a chosen directory, a fresh device is staged in
// a temporary directory and removed with this object; a chosen directory is staged when it holds
// no device yet (it is missing or empty) and used as it is otherwise.
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
  std::filesystem::path path_;
  bool isTemporary_;
};

}  // namespace lunadoze::sim
