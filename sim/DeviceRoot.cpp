#include "sim/DeviceRoot.h"

#include <stdlib.h>

#include <stdexcept>
#include <string>
#include <system_error>

namespace lunadoze::sim {
namespace fs = std::filesystem;
namespace {

fs::path makeTemporaryDirectory() {
  std::string pattern = (fs::temp_directory_path() / "lunadoze-sim.XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot create a temporary device root: " +
                             std::generic_category().message(errno));
  }
  return pattern;
}

void stageInto(const fs::path& root, const fs::path& stage) {
  if (!fs::is_directory(stage)) {
    throw std::runtime_error("no staged device at " + stage.string() + " (build the device_root target)");
  }
  fs::copy(stage, root, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
}

}  // namespace

DeviceRoot::DeviceRoot(const std::optional<fs::path>& chosen, const fs::path& stage)
    : path_(chosen ? fs::absolute(*chosen) : makeTemporaryDirectory()), isTemporary_(!chosen) {
  try {
    if (chosen && fs::exists(path_) && !fs::is_directory(path_)) {
      throw std::runtime_error(path_.string() + " is not a directory");
    }
    if (!chosen || !fs::exists(path_) || fs::is_empty(path_)) {
      fs::create_directories(path_);
      stageInto(path_, stage);
    }
  } catch (...) {
    std::error_code ignored;
    if (isTemporary_) fs::remove_all(path_, ignored);
    throw;
  }
}

DeviceRoot::~DeviceRoot() {
  std::error_code ignored;
  if (isTemporary_) fs::remove_all(path_, ignored);
}

}  // namespace lunadoze::sim
