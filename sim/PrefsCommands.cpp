// The Settings app: `prefs ...`, sent to the app that the device keeps open for the script.
#include <string>

#include "sim/CommandContext.h"
#include "sim/CommandError.h"
#include "sim/CommandGroups.h"
#include "sim/Device.h"
#include "sim/Simulator.h"
#include "sim/StateFormat.h"

namespace lunadoze::sim {
namespace {

// Sends the command line to the Settings app and returns what it printed; its refusals are the
// command's errors. The app has answered, so what it posted has arrived: SpringBoard's run loop
// takes it now, and what that queues (a reload, a respring) runs before the next command.
std::vector<std::string> inSettings(CommandContext& context, const std::string& command) {
  auto lines = context.device().settingsApp().run(command);
  context.device().runDueEvents();
  return lines;
}

void set(CommandContext& context, const Arguments& arguments) {
  // As the script wrote them, so that a quoted value stays text.
  inSettings(context, "set " + arguments.word(0).raw + " " + arguments.word(1).raw);
}

void show(CommandContext& context, const Arguments& arguments) {
  std::string command = arguments.size() == 1 ? "show " + arguments.word(0).raw : "show";
  for (const auto& line : inSettings(context, command)) context.out() << line << '\n';
}

void respring(CommandContext& context, const Arguments&) {
  inSettings(context, "respring");
}

void tap(CommandContext& context, const Arguments& arguments) {
  inSettings(context, "tap " + inQuotes(arguments[0]));
}

void alert(CommandContext& context, const Arguments& arguments) {
  inSettings(context, "alert " + inQuotes(arguments[0]));
}

void scroll(CommandContext& context, const Arguments& arguments) {
  if (!parseDecimal(arguments[0])) {
    throw CommandError(inQuotes(arguments[0]) + " is not a content offset (such as 120)");
  }
  inSettings(context, "scroll " + arguments[0]);
}

}  // namespace

void addPrefsCommands(Simulator& simulator) {
  CommandTable& commands = simulator.commands();
  commands.add(
      "prefs set", "KEY VALUE",
      "in the Settings app, change the row of KEY to VALUE as a person would (on/off, numbers, quoted text)",
      set);
  commands.add("prefs show", "[PAGE]",
               "print the page's rows (root page by default): S.R KEY = VALUE, (greyed) on greyed rows",
               show);
  commands.add("prefs scroll", "Y", "scroll the pane's root page to the content offset y", scroll);
  Device& device = simulator.device();
  commands.addTopic("prefs", "Setting keys, what their rows take, and where they are",
                    [&device] { return device.settingsApp().run("keys"); });
  commands.add("prefs respring", "",
               "tap the pane's \"Respring\" button; an error while the button is not shown", respring);
  commands.add("prefs tap", "LABEL", "tap the pane's button row of LABEL (\"Reset all settings\")", tap);
  commands.add("prefs alert", "BUTTON", "answer the alert the pane shows with its button BUTTON", alert);
}

}  // namespace lunadoze::sim
