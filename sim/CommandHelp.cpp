#include "sim/CommandHelp.h"

#include <algorithm>
#include <sstream>

#include "sim/CommandError.h"
#include "sim/CommandTable.h"
#include "sim/NearestNames.h"
#include "sim/StateFormat.h"

namespace lunadoze::sim {
namespace {

constexpr std::string_view kProgramUsage =
    R"(usage: lunadoze-sim [--root DIR] [--realtime] SCRIPT...   run scripts ("-" reads standard input)
       lunadoze-sim [--root DIR] [--realtime] repl        commands typed at a prompt
       lunadoze-sim [--root DIR] demo [--screenshots DIR] the built-in demo: a 30-minute timer, start to end;
                                                          with --screenshots a picture per step and
                                                          DIR/index.html
       lunadoze-sim --root DIR erase                      remove the device's files and stage it afresh
       lunadoze-sim --root DIR reinstall                  stage the package's files afresh; /var/mobile stays
       lunadoze-sim help [COMMAND] | --help | -h          usage and commands
       lunadoze-sim --version

  --root DIR    the device's file system root, kept between runs (staged when empty or new);
                without it each script file runs on a fresh device of its own
  --realtime    the clock follows the wall clock; otherwise time passes only through wait
)";

// Wide enough for most usages; a longer one pushes its meaning to the next line.
constexpr size_t kUsageColumn = 38;

void printCommand(std::ostream& out, const Command& command) {
  const std::string usage = command.usage();
  out << "  " << usage;
  if (usage.size() + 2 > kUsageColumn) {
    out << "\n" << std::string(kUsageColumn + 2, ' ');
  } else {
    out << std::string(kUsageColumn - usage.size(), ' ');
  }
  out << command.meaning << '\n';
}

// Markdown table cells: a bar inside would end the cell.
std::string cell(std::string_view text) {
  std::string escaped;
  for (char c : text) {
    if (c == '|') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

}  // namespace

std::string_view CommandHelp::programUsage() {
  return kProgramUsage;
}

std::string CommandHelp::overview(const CommandTable& commands) {
  std::ostringstream out;
  out << kProgramUsage << "\nScript commands, one a line (help COMMAND tells more of one):\n";
  for (const Command* command : commands.all()) printCommand(out, *command);
  return out.str();
}

std::string CommandHelp::about(const CommandTable& commands, std::string_view topic) {
  auto found = commands.about(topic);
  const CommandTable::Topic* values = commands.topic(topic);
  if (found.empty() && values == nullptr) {
    auto names = commands.topicNames();
    throw CommandError("no command " + inQuotes(topic) + didYouMean(topic, names) +
                       " (help lists the commands)");
  }
  std::ostringstream out;
  for (const Command* command : found) printCommand(out, *command);
  if (values != nullptr) {
    out << values->title << ":\n";
    for (const std::string& line : values->values()) out << "  " << line << '\n';
  }
  return out.str();
}

std::string CommandHelp::referencePage(const CommandTable& commands) {
  std::ostringstream out;
  out << "# The simulator's commands\n\n"
         "Generated from the simulator's command table by `lunadoze-sim help --markdown`; a test fails\n"
         "when this page no longer matches it. `help` and `help COMMAND` print the same in a script or\n"
         "the repl.\n\n"
         "## Programs\n\n```\n"
      << kProgramUsage << "```\n\n## Script commands\n\n| Command | Meaning |\n|---|---|\n";
  for (const Command* command : commands.all()) {
    out << "| `" << cell(command->usage()) << "` | " << cell(command->meaning) << " |\n";
  }
  for (const std::string& name : commands.topicNames()) {
    const CommandTable::Topic* topic = commands.topic(name);
    if (topic == nullptr) continue;
    out << "\n## " << topic->title << " (`help " << name << "`)\n\n";
    for (const std::string& line : topic->values()) out << "- `" << line << "`\n";
  }
  return out.str();
}

}  // namespace lunadoze::sim
