#pragma once

#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>

#include "sim/Arguments.h"
#include "sim/ScriptSyntax.h"

namespace lunadoze::sim {

class CommandContext;

using CommandHandler = std::function<void(CommandContext& context, const Arguments& arguments)>;

// One command of the script language. Its parameters read as in a usage line ("PATH
// KEY=VALUE...", "[PAGE]") and also say how many arguments it takes: a bracketed parameter and
// those after it are optional, and a trailing "..." takes any number more.
struct Command {
  std::string name;
  std::string parameters;
  CommandHandler run;
  size_t minArguments = 0;
  size_t maxArguments = 0;

  std::string usage() const;
};

// Every command, by name. A name is one word ("boot") or two ("device version"); each group of
// commands adds its own.
class CommandTable {
 public:
  void add(std::string name, std::string parameters, CommandHandler run);

  struct Match {
    const Command& command;
    Arguments arguments;
  };
  // The command that a line's words call, with its arguments; CommandError for an unknown
  // command or a wrong number of arguments.
  Match find(std::span<const Word> words) const;

 private:
  const Command* lookup(std::string_view name) const;
  // Whether the word begins two-word names ("device").
  bool isGroup(const std::string& word) const;

  std::map<std::string, Command, std::less<>> commands_;
};

}  // namespace lunadoze::sim
