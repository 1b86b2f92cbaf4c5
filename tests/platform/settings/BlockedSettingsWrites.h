#pragma once

#include <filesystem>
#include <string>

#include "tweak/core/PreferencesIdentifier.h"

namespace platform::settings {

// Makes every write of the settings domain fail while its file stays readable, as a full disk or
// a device that refuses the path would: a directory stands where the writer takes its lock file.
// Tests run as root, so permission bits would not stop the writer.
inline std::filesystem::path blockSettingsWrites(
    const std::filesystem::path& deviceRoot, const std::string& domain = lunadoze::kPreferencesIdentifier) {
  auto lock = deviceRoot / "var/mobile/Library/Preferences" / (domain + ".plist.lock");
  std::filesystem::remove(lock);  // the lock file of earlier writes
  std::filesystem::create_directories(lock / "in-the-way");
  return lock;
}

}  // namespace platform::settings
