// The session itself: `help`, `quit`/`exit`, `watch`, `expect-refused`, `expect-log`; the help
// topic of the state lines.
#include <algorithm>
#include <string>

#include "platform/foundation/SystemLog.h"
#include "sim/CommandContext.h"
#include "sim/CommandError.h"
#include "sim/CommandGroups.h"
#include "sim/CommandHelp.h"
#include "sim/ScriptSyntax.h"
#include "sim/Simulator.h"
#include "sim/StateFormat.h"

namespace lunadoze::sim {
namespace {

using platform::foundation::SystemLog;

// A state line's key as `expect` and `watch` take it; CommandError naming the nearest keys.
void requireStateKey(const std::string& key) {
  if (!StateDump::isKey(key)) throw CommandError(StateDump::unknownKey(key));
}

void watch(CommandContext& context, const Arguments& arguments) {
  StateWatcher& watcher = context.simulator().watcher();
  if (arguments.size() == 0) {
    auto keys = watcher.keys();
    if (keys.empty()) context.out() << "watching nothing\n";
    for (const std::string& key : keys) context.out() << "watching " << key << '\n';
    return;
  }
  if (arguments.size() == 1 && arguments[0] == "off") {
    watcher.stop();
    return;
  }
  std::vector<std::string> keys;
  for (const Word& word : arguments.words()) {
    requireStateKey(word.text);
    keys.push_back(word.text);
  }
  watcher.watch(keys, context.out());
}

void expectRefused(CommandContext& context, const Arguments& arguments) {
  auto [command, nested] = context.simulator().commands().find(arguments.words());
  std::string line;
  for (const Word& word : arguments.words()) line += (line.empty() ? "" : " ") + word.raw;
  try {
    command.run(context, nested);
  } catch (const Refusal&) {
    context.expect(true, "");
    return;
  }
  context.expect(false, inQuotes(line) + " ran, though it was expected to be refused");
}

void expectLog(CommandContext& context, const Arguments& arguments) {
  const std::string& text = arguments[0];
  const auto& lines = SystemLog::lines();
  const auto count = std::ranges::count(lines, text);
  if (arguments.size() == 1) {
    context.expect(count > 0, "no log line " + inQuotes(text) + " since boot");
    return;
  }
  auto wanted = parseInteger(arguments[1]);
  if (!wanted || *wanted < 0) throw CommandError(inQuotes(arguments[1]) + " is not a count (0, 1, 2...)");
  context.expect(count == *wanted, "the log line " + inQuotes(text) + " was written " +
                                       std::to_string(count) + " times, expected " + std::to_string(*wanted));
}

std::vector<std::string> stateLines() {
  std::vector<std::string> lines;
  lines.reserve(StateDump::kLines.size());
  for (const auto& line : StateDump::kLines)
    lines.push_back(std::string(line.key) + ": " + std::string(line.values));
  return lines;
}

}  // namespace

void addSessionCommands(Simulator& simulator) {
  CommandTable& commands = simulator.commands();
  commands.add("help", "[COMMAND]",
               "the commands; or one command or group: its arguments and the values it takes",
               [&commands](CommandContext& context, const Arguments& arguments) {
                 context.out() << (arguments.size() == 0 ? CommandHelp::overview(commands)
                                                         : CommandHelp::about(commands, arguments[0]));
               });
  auto leave = [](CommandContext& context, const Arguments&) { context.leave(); };
  commands.add("quit", "", "leave the repl, or end a script early, counting what ran", leave);
  commands.add("exit", "", "the same as quit", leave);
  commands.add("watch", "[KEY|off]...",
               "from now on print CLOCK  KEY: OLD -> NEW at each change of these state lines; alone: "
               "what is watched; off: stop",
               watch);
  commands.add("expect-refused", "COMMAND...",
               "COMMAND must be refused as a person's action that cannot happen (a control not on screen, "
               "a greyed row, a value the control cannot take, a picker value not offered)",
               expectRefused);
  commands.add("expect-log", "TEXT [N]",
               "a line TEXT was written to the system log since boot (exactly N times when N is given)",
               expectLog);
  commands.addTopic("state", "State lines, in the order state prints them", stateLines);
}

}  // namespace lunadoze::sim
