// What a person sees and what the system did: `state`, `expect`, `log`, `echo`.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/foundation/PropertyList.h"
#include "platform/foundation/SystemLog.h"
#include "platform/settings/HBPreferences.h"
#include "sim/CommandContext.h"
#include "sim/CommandError.h"
#include "sim/CommandGroups.h"
#include "sim/Device.h"
#include "sim/NearestNames.h"
#include "sim/Simulator.h"
#include "sim/StateFormat.h"
#include "tweak/core/PreferencesIdentifier.h"

namespace lunadoze::sim {
namespace {

using platform::foundation::PropertyList;
using platform::foundation::SystemLog;
using platform::settings::HBPreferences;

constexpr std::string_view kSettingPrefix = "setting.";
constexpr std::string_view kPrefsPrefix = "prefs.";

void requireSettingKey(Device& device, std::string_view key) {
  auto keys = device.settingKeys();
  if (keys.empty() || std::ranges::find(keys, key) != keys.end()) return;
  throw CommandError("no setting " + inQuotes(key) + didYouMean(key, keys) + " (help prefs lists them)");
}

// A row of the open Settings app: `prefs.KEY` its value as `show` prints it, `prefs.KEY.greyed`
// yes or no.
std::string prefsLine(Device& device, std::string_view name) {
  if (name == "title" || name == "header.frame") {
    auto lines = device.settingsApp().run(name == "title" ? "title" : "header");
    return lines.empty() ? std::string(kNone) : lines.front();
  }
  const bool greyed = name.ends_with(".greyed");
  const std::string key(greyed ? name.substr(0, name.size() - 7) : name);
  requireSettingKey(device, key);
  auto lines = device.settingsApp().run("row " + key);
  device.runDueEvents();
  std::string line = lines.empty() ? "" : lines.front();
  constexpr std::string_view kGreyed = " (greyed)";
  const bool isGreyed = line.ends_with(kGreyed);
  if (greyed) return isGreyed ? "yes" : "no";
  if (isGreyed) line.erase(line.size() - kGreyed.size());
  const size_t equals = line.find(" = ");
  return equals == std::string::npos ? line : line.substr(equals + 3);
}

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
  requireSettingKey(device, key);
  auto domain =
      PropertyList::readFile(device.hostPath(HBPreferences::domainDevicePath(kPreferencesIdentifier)));
  const PropertyList* value = domain ? (*domain)[key] : nullptr;
  return value ? formatSetting(*value) : std::string(kNone);
}

std::string stateLine(const StateDump& state, const std::string& key) {
  if (!StateDump::isKey(key)) throw CommandError(StateDump::unknownKey(key));
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

  commands.add("state", "[--json]",
               "print the state, one key: value line each (help state lists the keys); --json: one object, "
               "values as strings",
               [&state](CommandContext& context, const Arguments& arguments) {
                 if (arguments.size() == 0) {
                   state.print(context.out());
                 } else if (arguments[0] == "--json") {
                   context.out() << state.json() << '\n';
                 } else {
                   throw CommandError("unknown option " + inQuotes(arguments[0]) + " (state takes --json)");
                 }
               });

  commands.add(
      "expect", "KEY VALUE...",
      "the state line KEY must read VALUE; setting.KEY: the value stored for KEY (none when there is none); "
      "prefs.KEY, prefs.KEY.greyed: the row in the Settings app; prefs.title, prefs.header.frame",
      [&state](CommandContext& context, const Arguments& arguments) {
        const std::string& key = arguments[0];
        std::string actual;
        if (key.starts_with(kSettingPrefix)) {
          actual = storedSetting(context.device(), std::string_view(key).substr(kSettingPrefix.size()));
        } else if (key.starts_with(kPrefsPrefix)) {
          actual = prefsLine(context.device(), std::string_view(key).substr(kPrefsPrefix.size()));
        } else {
          actual = stateLine(state, key);
        }
        std::string wanted = joinWords(arguments.words().subspan(1), actual.find('"') != std::string::npos);
        context.expect(actual == wanted, key + " reads " + actual + ", expected " + wanted);
      });

  commands.add("log", "",
               "print the system log lines written since boot, each with the clock it was written at (the "
               "log keeps the last " +
                   std::to_string(SystemLog::kCapacity) + ")",
               [](CommandContext& context, const Arguments&) {
                 if (size_t dropped = SystemLog::droppedLines(); dropped > 0)
                   context.out() << "(" << dropped << " older lines dropped; the log keeps the last "
                                 << SystemLog::kCapacity << ")\n";
                 const auto lines = SystemLog::lines();
                 const LogClock& clock = context.device().logClock();
                 for (size_t i = 0; i < lines.size(); ++i) {
                   context.out() << formatClock(clock.timeOf(i)) << "  " << lines[i] << '\n';
                 }
               });

  commands.add("echo", "[TEXT]...", "print TEXT", [](CommandContext& context, const Arguments& arguments) {
    context.out() << joinWords(arguments.words(), false) << '\n';
  });
}

}  // namespace lunadoze::sim
