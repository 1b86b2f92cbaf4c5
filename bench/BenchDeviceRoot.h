#pragma once

#include <filesystem>

namespace lunadoze::bench {

// A fresh device root in the temporary directory, removed with the object; with the staged
// resource bundle when the benchmark loads the tweak.
class BenchDeviceRoot {
 public:
  enum class Contents { Empty, ResourceBundle };

  explicit BenchDeviceRoot(Contents contents);
  ~BenchDeviceRoot();
  BenchDeviceRoot(const BenchDeviceRoot&) = delete;
  BenchDeviceRoot& operator=(const BenchDeviceRoot&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace lunadoze::bench
