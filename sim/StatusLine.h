#pragma once

#include <ostream>
#include <string>

namespace lunadoze::sim {

class StateDump;

// The line at the bottom of a terminal that keeps the clock, the music and its title, the snooze
// and what is left, and the volume up to date in place while real time passes; whatever else is
// printed scrolls above it, as the line is taken away first.
class StatusLine {
 public:
  StatusLine(const StateDump& state, std::ostream& out) : state_(state), out_(out) {}

  // Draws the line anew in place.
  void show();
  // Takes the line away, so that the next output starts on a clean line.
  void clear();

  // What the line reads now.
  std::string text() const;

 private:
  const StateDump& state_;
  std::ostream& out_;
  bool shown_ = false;
};

}  // namespace lunadoze::sim
