#pragma once

#include <filesystem>

namespace lunadoze::sim {

// The files that come with the programs, found from where the running program lies, so that a
// build tree and an installed tree work alike, wherever either is moved. Each is looked for at
// its installed place first (relative to the programs' folder), then at its place in a build tree.
class ProgramFiles {
 public:
  // The folder of the running program.
  static std::filesystem::path programDirectory();
  // The device root staged with the programs, copied into every fresh device. The installed place
  // when neither exists, so that the error names where it was looked for.
  static std::filesystem::path stagedDeviceRoot();
  // The Settings app's program, which the simulator starts for `prefs` commands.
  static std::filesystem::path settingsProgram();
};

}  // namespace lunadoze::sim
