// The device's own configuration and files: `device ...`.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <regex>
#include <string>

#include "platform/foundation/DeviceFileSystem.h"
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
using platform::foundation::DeviceFileSystem;
using platform::foundation::PropertyList;

// `true`/`false` booleans, integers, decimals, other text as strings.
PropertyList plistValue(const std::string& text) {
  if (text == "true") return true;
  if (text == "false") return false;
  if (auto integer = parseInteger(text)) return *integer;
  if (auto decimal = parseDecimal(text)) {
    if (!std::isfinite(*decimal)) {
      throw CommandError(inQuotes(text) +
                         " is out of range: a number in a property list is from -1.8e308 to 1.8e308");
    }
    return *decimal;
  }
  return text;
}

// Writes the file at the device path whole, creating the directories on the way; never through
// a link, as the device's own writers do not write through one.
void writeDeviceFile(Device& device, const std::string& devicePath, std::string_view contents) {
  device.hostPath(devicePath);  // refuses a path that is not on the device, saying so
  const size_t slash = devicePath.rfind('/');
  const int directory = DeviceFileSystem::openDirectory(devicePath.substr(0, std::max<size_t>(slash, 1)));
  const std::string name = devicePath.substr(slash + 1);
  // A new file rather than the old one rewritten: a staged file may be a hard link to the build's.
  if (directory >= 0) unlinkat(directory, name.c_str(), 0);  // nothing there, or a directory: kept
  const int fd = directory < 0 ? -1
                               : openat(directory, name.c_str(),
                                        O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  const int error = errno;
  if (directory >= 0) close(directory);
  bool written = fd >= 0;
  for (size_t done = 0; written && done < contents.size();) {
    const ssize_t count = ::write(fd, contents.data() + done, contents.size() - done);
    written = count > 0 || (count < 0 && errno == EINTR);
    if (count > 0) done += static_cast<size_t>(count);
  }
  if (fd >= 0) close(fd);
  if (!written) {
    throw CommandError("cannot write " + inQuotes(devicePath) + ": " + std::strerror(fd < 0 ? error : errno));
  }
}

void version(CommandContext& context, const Arguments& arguments) {
  static const std::regex kVersion(R"(\d+(\.\d+){0,2})");
  if (!std::regex_match(arguments[0], kVersion)) {
    throw CommandError(inQuotes(arguments[0]) + " is not a system version (such as 12.4 or 11.4.1)");
  }
  context.device().phone().setSystemVersion(arguments[0]);
}

// HH:MM, 00:00 to 23:59.
void time(CommandContext& context, const Arguments& arguments) {
  static const std::regex kTimeOfDay(R"(([01]?\d|2[0-3]):([0-5]\d))");
  std::smatch parts;
  if (!std::regex_match(arguments[0], parts, kTimeOfDay)) {
    throw CommandError(inQuotes(arguments[0]) +
                       " is not a time of day (HH:MM from 00:00 to 23:59, such as 23:10)");
  }
  const int64_t minutes = std::stoll(parts[1].str()) * 60 + std::stoll(parts[2].str());
  context.device().phone().setTimeOfDayAtStart(minutes * 60);
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
  commands.add("device time", "HH:MM",
               "the time of day when the device started, e.g. 23:10; default 22:30; effective at once (the "
               "time line reads it plus the clock)",
               time);
  commands.add("device file", "PATH", "create an empty file at the device path PATH; effective at once",
               file);
  commands.add("device plist", "PATH KEY=VALUE...",
               "write a property-list dictionary at PATH (true/false booleans, integers, decimals, other "
               "text as strings); effective at once",
               plist);
  commands.add("device rm", "PATH", "remove the file at PATH; effective at once", rm);
}

}  // namespace lunadoze::sim
