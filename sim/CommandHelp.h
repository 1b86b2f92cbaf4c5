#pragma once

#include <string>
#include <string_view>

namespace lunadoze::sim {

class CommandTable;

// The help that the command table gives: `--help`, `help`, `help COMMAND` and the reference page
// in the repository, all from the same table, so that none of them can drift from what runs.
class CommandHelp {
 public:
  // How the program is started, with its options.
  static std::string_view programUsage();
  // The usage and every command with its parameters and meaning.
  static std::string overview(const CommandTable& commands);
  // One command, or every command of a group, with what its topic lists (`tap`: the control
  // names). CommandError naming the nearest topics when there is none of that name.
  static std::string about(const CommandTable& commands, std::string_view topic);
  // The reference page, in Markdown.
  static std::string referencePage(const CommandTable& commands);
};

}  // namespace lunadoze::sim
