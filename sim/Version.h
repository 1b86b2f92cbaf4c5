#pragma once

#include <string_view>

namespace lunadoze::sim {

// What --version prints for both programs.
inline constexpr std::string_view kVersion = "0.1.0";

}  // namespace lunadoze::sim
