#include "sim/StateFormat.h"

#include <cmath>
#include <cstdio>

namespace lunadoze::sim {

std::string formatNumber(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.3f", value);
  std::string text = buffer;
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  // A value that rounds to zero from below reads 0, not -0.
  if (text == "-0") text = "0";
  return text;
}

std::string formatClock(double seconds) {
  const long long milliseconds = std::llround(seconds * 1000);
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%02lld:%02lld:%02lld.%03lld", milliseconds / 3'600'000,
                milliseconds / 60'000 % 60, milliseconds / 1000 % 60, milliseconds % 1000);
  return buffer;
}

std::string inQuotes(std::string_view text) {
  // Appended into one buffer: "\"" + std::string(text) makes GCC 12 at -O3 warn of an overlapping
  // copy that cannot happen (-Wrestrict).
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted += '"';
  quoted += text;
  quoted += '"';
  return quoted;
}

}  // namespace lunadoze::sim
