#pragma once

#include <filesystem>

namespace lunadoze {

// Installs the tweak's resource bundle, as the build staged it, on a device root.
inline void installResourceBundle(const std::filesystem::path& root) {
  const std::filesystem::path bundle = "Library/Application Support/LunadozeBundle.bundle";
  std::filesystem::create_directories(root / bundle);
  std::filesystem::copy(std::filesystem::path(LUNADOZE_STAGE_DIR) / bundle, root / bundle,
                        std::filesystem::copy_options::recursive);
}

}  // namespace lunadoze
