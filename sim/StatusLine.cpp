#include "sim/StatusLine.h"

#include <cstdlib>

#include "sim/StateDump.h"
#include "sim/StateFormat.h"

namespace lunadoze::sim {
namespace {

// Back to the start of the line and erase it.
constexpr const char* kEraseLine = "\r\x1b[K";

}  // namespace

std::string StatusLine::text() const {
  auto value = [this](std::string_view key) { return state_.value(key).value_or(std::string(kNone)); };
  const double clock = std::strtod(value("clock").c_str(), nullptr);
  // Appended rather than "[" + ...: GCC 12 at -O3 warns falsely of an overlapping copy there.
  std::string line = "[";
  line += std::string_view(formatClock(clock)).substr(0, 8);
  line += "]  music " + value("music");
  if (auto title = value("music.title"); title != kNone) line += " " + title;
  line += "  snooze " + value("snooze");
  if (auto left = value("snooze.left"); left != "-" && left != kNone) line += " " + left;
  return line + "  volume " + value("music.volume");
}

void StatusLine::show() {
  out_ << kEraseLine << text() << std::flush;
  shown_ = true;
}

void StatusLine::clear() {
  if (!shown_) return;
  out_ << kEraseLine << std::flush;
  shown_ = false;
}

}  // namespace lunadoze::sim
