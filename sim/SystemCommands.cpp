// The phone's system settings and feedback: `device locale`, `bluetooth ...`; the `airplane`,
// `dnd`, `bluetooth...` and `haptics` lines.
#include <regex>
#include <string>

#include "platform/foundation/NSLocale.h"
#include "platform/springboard/simulation/Phone.h"
#include "platform/uikit/UIImpactFeedbackGenerator.h"
#include "sim/CommandContext.h"
#include "sim/CommandError.h"
#include "sim/CommandGroups.h"
#include "sim/Device.h"
#include "sim/Simulator.h"
#include "sim/StateFormat.h"

namespace lunadoze::sim {
namespace {

std::string onOff(bool on) {
  return on ? "on" : "off";
}

void locale(CommandContext& context, const Arguments& arguments) {
  // Fields as the device writes them (en_US, zh-Hans_CN), then keywords (@calendar=japanese;rg=gbzzzz);
  // the language is the one ICU reads.
  static const std::regex kLocale(
      R"([A-Za-z0-9]+([-_][A-Za-z0-9]+)*(@[A-Za-z0-9]+=[A-Za-z0-9-]+(;[A-Za-z0-9]+=[A-Za-z0-9-]+)*)?)");
  static const std::regex kLanguage("[a-z]{2,3}");
  const std::string& identifier = arguments[0];
  if (!std::regex_match(identifier, kLocale) ||
      !std::regex_match(
          platform::foundation::NSLocale::localeWithLocaleIdentifier(identifier)->languageCode(),
          kLanguage)) {
    throw CommandError(inQuotes(identifier) +
                       " is not a locale (such as en_US, ar_SA or en_US@calendar=japanese)");
  }
  context.device().phone().setLocaleIdentifier(identifier);
}

void bluetoothDevice(CommandContext& context, const Arguments& arguments) {
  if (!context.device().phone().connectBluetoothDevice(arguments[0])) {
    throw CommandError("Bluetooth is off: " + inQuotes(arguments[0]) + " cannot connect");
  }
}

void bluetoothPower(CommandContext& context, const Arguments& arguments) {
  if (arguments[0] != "on" && arguments[0] != "off")
    throw CommandError("expected on or off, not " + inQuotes(arguments[0]));
  context.device().phone().setBluetoothPowered(arguments[0] == "on");
}

std::string connectedDevices(const platform::springboard::Phone& phone) {
  std::string names;
  for (const auto& connection : phone.bluetoothConnections()) {
    if (!names.empty()) names += ", ";
    names += inQuotes(connection.name);
  }
  return names.empty() ? std::string(kNone) : names;
}

}  // namespace

void addSystemCommands(Simulator& simulator) {
  CommandTable& commands = simulator.commands();
  commands.add("device locale", "ID",
               "current locale, e.g. en_US (default), fr_FR, ar_SA; its language picks the strings table",
               locale);
  commands.add("bluetooth device", "NAME", "a connected Bluetooth device named NAME", bluetoothDevice);
  commands.add("bluetooth power", "on|off", "Bluetooth on or off", bluetoothPower);

  Device& device = simulator.device();
  StateDump& state = simulator.state();
  state.provide("airplane", [&device] { return onOff(device.phone().isAirplaneModeOn()); });
  state.provide("dnd", [&device] { return onOff(device.phone().isDoNotDisturbOn()); });
  state.provide("bluetooth", [&device] { return onOff(device.phone().isBluetoothPowered()); });
  state.provide("bluetooth.connected", [&device] { return connectedDevices(device.phone()); });
  state.provide("haptics",
                [] { return std::to_string(platform::uikit::UIImpactFeedbackGenerator::impactCount()); });
}

}  // namespace lunadoze::sim
