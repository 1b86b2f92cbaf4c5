#pragma once

#include <filesystem>

#include "sim/pictures/Recorder.h"

namespace lunadoze::sim {

// The plot of what was recorded, against the clock: state lines that read as numbers (a volume, a
// remaining "29:59" in seconds) as step lines each on a scale of its own, the others as bands of
// colour by value; the time axis in clock time.
class PlotPainter {
 public:
  // Writes FILE.png or FILE.svg, from the first sample to `endClock`. Throws std::runtime_error
  // saying why when nothing was recorded or the file cannot be written.
  static void write(const Recorder& recorder, double endClock, const std::filesystem::path& file);

  // A state value as a number: a decimal, or a time "M:SS" / "H:MM:SS" in seconds; NaN for none.
  static double numberOf(const std::string& value);
};

}  // namespace lunadoze::sim
