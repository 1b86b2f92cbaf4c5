// Starting SpringBoard and letting time pass: `boot`, `respring`, `wait`; the `clock`, `time` and
// `tweak` lines.
#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/foundation/NSCalendar.h"
#include "platform/foundation/NSDate.h"
#include "platform/runtime/Runtime.h"
#include "sim/CommandContext.h"
#include "sim/CommandGroups.h"
#include "sim/Device.h"
#include "sim/Simulator.h"
#include "sim/StateFormat.h"

namespace lunadoze::sim {
namespace {

using platform::runtime::class_respondsToSelector;
using platform::runtime::objc_getClass;

// Methods that the tweak adds to host classes when it installs its hooks, and only then. The
// runtime shows whether a class carries them, as it would on the device.
struct AddedMethod {
  const char* className;
  const char* selector;
};
constexpr AddedMethod kTweakMethods[] = {
    {"MediaControlsTransportStackView", "validateButtonClicked"},
    {"SBMediaController", "stopSnooze"},
};

// hooked, disabled (loaded, but `enabled` was off at load) or not-loaded.
std::string tweakState(Device& device) {
  auto libraries = device.springBoard().loadedLibraries();
  bool loaded =
      std::ranges::any_of(libraries, [](const auto& path) { return path.filename() == "Lunadoze.dylib"; });
  if (!loaded) return "not-loaded";
  bool hooked = std::ranges::any_of(kTweakMethods, [](const AddedMethod& method) {
    return class_respondsToSelector(objc_getClass(method.className), method.selector);
  });
  return hooked ? "hooked" : "disabled";
}

}  // namespace

void addSpringBoardCommands(Simulator& simulator) {
  CommandTable& commands = simulator.commands();
  commands.add("boot", "", "start SpringBoard with the tweak installed",
               [](CommandContext& context, const Arguments&) { context.device().boot(); });
  commands.add("respring", "",
               "restart SpringBoard: the tweak is loaded anew; settings, music and radios stay",
               [](CommandContext& context, const Arguments&) { context.device().respring(); });
  commands.add("wait", "DURATION", "let time pass: seconds (90, 1.5) or with a unit (30s, 15m, 8h)",
               [](CommandContext& context, const Arguments& arguments) {
                 context.device().wait(arguments.duration(0));
               });

  Device& device = simulator.device();
  simulator.state().provide("clock", [&device] { return formatNumber(device.clock()); });
  simulator.state().provide("time", [] {
    using namespace platform::foundation;
    auto now = NSDate::date();
    auto calendar = NSCalendar::currentCalendar();
    char text[8];
    std::snprintf(text, sizeof text, "%02lld:%02lld",
                  static_cast<long long>(calendar->component(NSCalendarUnitHour, *now)),
                  static_cast<long long>(calendar->component(NSCalendarUnitMinute, *now)));
    return std::string(text);
  });
  simulator.state().provide("tweak", [&device] { return tweakState(device); });
}

}  // namespace lunadoze::sim
