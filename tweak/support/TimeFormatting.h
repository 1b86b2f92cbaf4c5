#pragma once

#include <cstdint>
#include <string>

namespace lunadoze {

// The remaining time as a clock: "05:07" below an hour, "01:00:00" from an hour on (no wrap at a
// day), in the user's digits.
std::string timeFormatted(int32_t seconds);

}  // namespace lunadoze
