#pragma once

#include <string_view>

namespace lunadoze::sim {

// What --version prints for both programs: the project's version, given by the build.
inline constexpr std::string_view kVersion = LUNADOZE_VERSION;

}  // namespace lunadoze::sim
