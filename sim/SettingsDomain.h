#pragma once

namespace lunadoze::sim {

// The settings domain that the tweak reads and its preferences pane writes.
inline constexpr const char* kSettingsDomain = "com.corvane.lunadoze";

}  // namespace lunadoze::sim
