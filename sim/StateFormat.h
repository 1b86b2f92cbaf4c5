#pragma once

#include <string>
#include <string_view>

// How values read in the state dump, so that every line prints them alike.
namespace lunadoze::sim {

// At most three decimals and no trailing zeros: 60, 60.5, 0.333.
std::string formatNumber(double value);

// The device's clock as a person reads it, to the millisecond: 00:30:16.003.
std::string formatClock(double seconds);

// A text of the device, in double quotes.
std::string inQuotes(std::string_view text);

// Where the object a line describes does not exist.
inline constexpr std::string_view kNone = "none";

}  // namespace lunadoze::sim
