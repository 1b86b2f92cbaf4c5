// The device's own configuration and files: `device ...`.
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include "platform/foundation/PropertyList.h"
#include "sim/CommandContext.h"
#include "sim/CommandError.h"
#include "sim/CommandGroups.h"
#include "sim/Device.h"
#include "sim/Simulator.h"
#include "sim/StateFormat.h"

namespace lunadoze::sim {
namespace {

namespace fs = std::filesystem;
using platform::foundation::PropertyList;

// `true`/`false` booleans, integers, decimals, other text as strings.
PropertyList plistValue(const std::string& text) {
  if (text == "true") return true;
  if (text == "false") return false;
  if (auto integer = parseInteger(text)) return *integer;
  if (auto decimal = parseDecimal(text)) return *decimal;
  return text;
}

// Writes the file at the device path whole, creating the directories on the way.
void writeDeviceFile(Device& device, const std::string& devicePath, std::string_view contents) {
  fs::path path = device.hostPath(devicePath);
  std::error_code error;
  fs::create_directories(path.parent_path(), error);
  // A new file rather than the old one rewritten: a staged file may be a link to the build's.
  if (!fs::is_directory(fs::symlink_status(path, error))) fs::remove(path, error);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!(file << contents) || !file.flush()) throw CommandError("cannot write " + inQuotes(devicePath));
}

void version(CommandContext& context, const Arguments& arguments) {
  static const std::regex kVersion(R"(\d+(\.\d+){0,2})");
  if (!std::regex_match(arguments[0], kVersion)) {
    throw CommandError(inQuotes(arguments[0]) + " is not a system version (such as 12.4 or 11.4.1)");
  }
  context.device().phone().setSystemVersion(arguments[0]);
}

void file(CommandContext& context, const Arguments& arguments) {
  writeDeviceFile(context.device(), arguments[0], "");
}

void plist(CommandContext& context, const Arguments& arguments) {
  PropertyList::Dictionary dictionary;
  for (const Word& pair : arguments.words().subspan(1)) {
    size_t equals = pair.text.find('=');
    if (equals == 0 || equals == std::string::npos)
      throw CommandError(inQuotes(pair.text) + " is not KEY=VALUE");
    dictionary.insert_or_assign(pair.text.substr(0, equals), plistValue(pair.text.substr(equals + 1)));
  }
  writeDeviceFile(context.device(), arguments[0], PropertyList(std::move(dictionary)).toXml());
}

void rm(CommandContext& context, const Arguments& arguments) {
  fs::path path = context.device().hostPath(arguments[0]);
  std::error_code error;
  if (fs::is_directory(fs::symlink_status(path, error)))
    throw CommandError(inQuotes(arguments[0]) + " is a directory");
  if (!fs::remove(path, error)) {
    throw CommandError(error ? "cannot remove " + inQuotes(arguments[0]) + ": " + error.message()
                             : "no file at " + inQuotes(arguments[0]));
  }
}

}  // namespace

void addDeviceCommands(Simulator& simulator) {
  CommandTable& commands = simulator.commands();
  commands.add("device version", "V",
               "system version text, e.g. 11.4.1, 12.4, 13.0; default 14.4; effective at the next boot",
               version);
  commands.add("device file", "PATH", "create an empty file at the device path PATH; effective at once",
               file);
  commands.add("device plist", "PATH KEY=VALUE...",
               "write a property-list dictionary at PATH (true/false booleans, integers, decimals, other "
               "text as strings); effective at once",
               plist);
  commands.add("device rm", "PATH", "remove the file at PATH; effective at once", rm);
}

}  // namespace lunadoze::sim
