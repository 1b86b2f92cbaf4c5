#include "sim/ProgramFiles.h"

#include <initializer_list>
#include <system_error>

// Relative to the programs' folder; set by the build from its install layout.
#ifndef LUNADOZE_INSTALLED_DEVICE_ROOT
#error "LUNADOZE_INSTALLED_DEVICE_ROOT: the installed device root, relative to the programs"
#endif

namespace lunadoze::sim {
namespace fs = std::filesystem;
namespace {

fs::path firstExisting(std::initializer_list<fs::path> candidates) {
  std::error_code error;
  for (const fs::path& candidate : candidates) {
    if (fs::exists(candidate, error)) return candidate;
  }
  return *candidates.begin();
}

}  // namespace

fs::path ProgramFiles::programDirectory() {
  std::error_code error;
  fs::path program = fs::read_symlink("/proc/self/exe", error);
  // Without /proc the programs are looked for from the working directory.
  return error ? fs::current_path() : program.parent_path();
}

fs::path ProgramFiles::stagedDeviceRoot() {
  const fs::path programs = programDirectory();
  // In a build tree every program lies one folder below the build's device root.
  return firstExisting({(programs / LUNADOZE_INSTALLED_DEVICE_ROOT).lexically_normal(),
                        (programs / "../device-root").lexically_normal()});
}

fs::path ProgramFiles::settingsProgram() {
  const fs::path programs = programDirectory();
  // The build's test programs lie beside sim/, where the build puts the Settings app.
  return firstExisting(
      {programs / "lunadoze-settings", (programs / "../sim/lunadoze-settings").lexically_normal()});
}

}  // namespace lunadoze::sim
