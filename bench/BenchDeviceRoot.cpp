#include "bench/BenchDeviceRoot.h"

#include <stdlib.h>

#include <cerrno>
#include <string>
#include <system_error>

namespace lunadoze::bench {

BenchDeviceRoot::BenchDeviceRoot(Contents contents) {
  std::string pattern = (std::filesystem::temp_directory_path() / "lunadoze-bench-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::filesystem::filesystem_error("cannot make a device root", pattern,
                                            std::error_code(errno, std::generic_category()));
  }
  path_ = pattern;
  if (contents == Contents::ResourceBundle) {
    const std::filesystem::path bundle = "Library/Application Support/LunadozeBundle.bundle";
    std::filesystem::create_directories(path_ / bundle);
    std::filesystem::copy(std::filesystem::path(LUNADOZE_STAGE_DIR) / bundle, path_ / bundle,
                          std::filesystem::copy_options::recursive);
  }
}

BenchDeviceRoot::~BenchDeviceRoot() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace lunadoze::bench
