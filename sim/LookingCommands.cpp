// What a person sees and what the system did: `state`, `expect`, `log`, `echo`.
#include <string>

#include "platform/foundation/PropertyList.h"
#include "platform/foundation/SystemLog.h"
#include "platform/settings/HBPreferences.h"
#include "sim/CommandContext.h"
#include "sim/CommandError.h"
#include "sim/CommandGroups.h"
#include "sim/Device.h"
#include "sim/SettingsDomain.h"
#include "sim/Simulator.h"
#include "sim/StateFormat.h"

namespace lunadoze::sim {
namespace {

using platform::foundation::PropertyList;
using platform::foundation::SystemLog;
using platform::settings::HBPreferences;

constexpr std::string_view kSettingPrefix = "setting.";

std::string formatSetting(const PropertyList& value) {
  if (value.isBool()) return *value.boolValue() ? "true" : "false";
  if (value.isInteger()) return std::to_string(*value.integerValue());
  if (value.isReal()) return formatNumber(*value.doubleValue());
  if (value.isString()) return inQuotes(*value.string());
  if (value.isData()) return "(data)";
  if (value.isDate()) return "(date)";
  return value.isArray() ? "(array)" : "(dictionary)";
}

// The value stored in the settings domain for the key. A domain file that cannot be read as a
// dictionary holds no values, as the settings store reads it.
std::string storedSetting(Device& device, std::string_view key) {
  auto domain = PropertyList::readFile(device.hostPath(HBPreferences::domainDevicePath(kSettingsDomain)));
  const PropertyList* value = domain ? (*domain)[key] : nullptr;
  return value ? formatSetting(*value) : std::string(kNone);
}

std::string stateLine(const StateDump& state, const std::string& key) {
  if (!StateDump::isKey(key)) throw CommandError("no state line " + inQuotes(key));
  auto value = state.value(key);
  if (!value) throw CommandError("the state line " + inQuotes(key) + " is not simulated yet");
  return *value;
}

// The words joined by blanks; as written when the state line shows quotes, else without them.
std::string joinWords(std::span<const Word> words, bool keepQuotes) {
  std::string value;
  for (size_t i = 0; i < words.size(); ++i) {
    if (i > 0) value += ' ';
    value += keepQuotes ? words[i].raw : words[i].text;
  }
  return value;
}

}  // namespace

void addLookingCommands(Simulator& simulator) {
  CommandTable& commands = simulator.commands();
  const StateDump& state = simulator.state();

  commands.add("state", "",
               [&state](CommandContext& context, const Arguments&) { state.print(context.out()); });

  commands.add("expect", "KEY VALUE...", [&state](CommandContext& context, const Arguments& arguments) {
    const std::string& key = arguments[0];
    std::string actual =
        key.starts_with(kSettingPrefix)
            ? storedSetting(context.device(), std::string_view(key).substr(kSettingPrefix.size()))
            : stateLine(state, key);
    std::string wanted = joinWords(arguments.words().subspan(1), actual.find('"') != std::string::npos);
    context.expect(actual == wanted, key + " reads " + actual + ", expected " + wanted);
  });

  commands.add("log", "", [](CommandContext& context, const Arguments&) {
    if (size_t dropped = SystemLog::droppedLines(); dropped > 0)
      context.out() << "(" << dropped << " older lines dropped; the log keeps the last "
                    << SystemLog::kCapacity << ")\n";
    for (const std::string& line : SystemLog::lines()) context.out() << line << '\n';
  });

  commands.add("echo", "[TEXT]...", [](CommandContext& context, const Arguments& arguments) {
    context.out() << joinWords(arguments.words(), false) << '\n';
  });
}

}  // namespace lunadoze::sim
