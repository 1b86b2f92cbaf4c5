// The Settings app: `prefs ...`.
#include <string>

#include "platform/foundation/PropertyList.h"
#include "platform/settings/HBPreferences.h"
#include "sim/CommandContext.h"
#include "sim/CommandError.h"
#include "sim/CommandGroups.h"
#include "sim/SettingsDomain.h"
#include "sim/Simulator.h"
#include "sim/StateFormat.h"

namespace lunadoze::sim {
namespace {

using platform::foundation::PropertyList;
using platform::settings::HBPreferences;

// Booleans on/off, integers, decimals, and text (quoted when it could read as one of those).
PropertyList settingValue(const Word& word) {
  if (word.raw.starts_with('"')) return word.text;
  if (word.text == "on") return true;
  if (word.text == "off") return false;
  if (auto integer = parseInteger(word.text)) return *integer;
  if (auto decimal = parseDecimal(word.text)) return *decimal;
  return word.text;
}

// Writes the setting as the preferences pane does: stored in the domain, then announced with the
// domain's change notification. (Directly, until the Settings app with its pane is simulated.)
void set(CommandContext&, const Arguments& arguments) {
  auto preferences = HBPreferences::initWithIdentifier(kSettingsDomain);
  preferences->setObject(settingValue(arguments.word(1)), arguments[0]);
  if (!preferences->synchronize()) throw CommandError("cannot write the setting " + inQuotes(arguments[0]));
}

}  // namespace

void addPrefsCommands(Simulator& simulator) {
  simulator.commands().add("prefs set", "KEY VALUE", set);
}

}  // namespace lunadoze::sim
