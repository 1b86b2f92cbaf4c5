#pragma once

#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sim/Arguments.h"
#include "sim/ScriptSyntax.h"

namespace lunadoze::sim {

class CommandContext;

using CommandHandler = std::function<void(CommandContext& context, const Arguments& arguments)>;
// Lines that a topic's help adds below its commands: the names or values they take, read from
// the device when asked, so that they are always the ones in use.
using TopicValues = std::function<std::vector<std::string>()>;

// One command of the script language. Its parameters read as in a usage line ("PATH
// KEY=VALUE...", "[PAGE]") and also say how many arguments it takes: a bracketed parameter and
// those after it are optional, and a trailing "..." takes any number more. Its meaning is the
// one-line help that `help`, `--help` and the reference page print.
struct Command {
  std::string name;
  std::string parameters;
  std::string meaning;
  CommandHandler run;
  size_t minArguments = 0;
  size_t maxArguments = 0;

  std::string usage() const;
};

// Every command, by name. A name is one word ("boot") or two ("device version"); each group of
// commands adds its own. The table is the one source of the help and of the errors that name
// what exists.
class CommandTable {
 public:
  void add(std::string name, std::string parameters, std::string meaning, CommandHandler run);
  // What `help TOPIC` lists below the topic's commands (`tap`: the control names).
  void addTopic(std::string topic, std::string title, TopicValues values);

  struct Match {
    const Command& command;
    Arguments arguments;
  };
  // The command that a line's words call, with its arguments; CommandError for an unknown
  // command (naming the nearest ones and a group's subcommands) or a wrong number of arguments.
  Match find(std::span<const Word> words) const;

  // Every command in name order.
  std::vector<const Command*> all() const;
  // The commands that a topic names: the command of that name, or every command of a group.
  std::vector<const Command*> about(std::string_view topic) const;
  struct Topic {
    std::string title;
    TopicValues values;
  };
  const Topic* topic(std::string_view name) const;
  // Every name the help knows: commands, groups and topics.
  std::vector<std::string> topicNames() const;
  // The first words of the names ("boot", "device"), and the second words of a group's.
  std::vector<std::string> firstWords() const;
  std::vector<std::string> subcommands(std::string_view group) const;

 private:
  const Command* lookup(std::string_view name) const;
  // Whether the word begins two-word names ("device").
  bool isGroup(std::string_view word) const;

  std::map<std::string, Command, std::less<>> commands_;
  std::map<std::string, Topic, std::less<>> topics_;
};

}  // namespace lunadoze::sim
