#pragma once

#include <string_view>

namespace lunadoze::sim {

// The built-in demo, a script like any other. It plays a night with Lunadoze as far as the
// simulated host goes: each subsystem that lands adds its part of the 30-minute timer.
inline constexpr std::string_view kDemoScript = R"(# A phone with Lunadoze installed starts up.
boot
state
# Half an hour passes.
wait 30m
state
)";

}  // namespace lunadoze::sim
