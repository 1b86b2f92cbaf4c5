#include "sim/CommandTable.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "sim/CommandError.h"
#include "sim/StateFormat.h"

namespace lunadoze::sim {

std::string Command::usage() const {
  return parameters.empty() ? name : name + " " + parameters;
}

void CommandTable::add(std::string name, std::string parameters, CommandHandler run) {
  Command command{name, parameters, std::move(run)};
  bool optional = false;
  std::string_view rest(parameters);
  while (!rest.empty()) {
    const size_t blank = std::min(rest.find(' '), rest.size());
    const std::string_view parameter = rest.substr(0, blank);
    rest.remove_prefix(std::min(blank + 1, rest.size()));
    if (parameter.empty()) continue;
    optional = optional || parameter.starts_with('[');
    if (!optional) ++command.minArguments;
    ++command.maxArguments;
    if (parameter.ends_with("...")) command.maxArguments = std::numeric_limits<size_t>::max();
  }
  if (!commands_.emplace(name, std::move(command)).second) {
    throw std::logic_error("command added twice: " + name);
  }
}

const Command* CommandTable::lookup(std::string_view name) const {
  auto found = commands_.find(name);
  return found == commands_.end() ? nullptr : &found->second;
}

bool CommandTable::isGroup(const std::string& word) const {
  auto next = commands_.upper_bound(word);
  return next != commands_.end() && next->first.starts_with(word + " ");
}

CommandTable::Match CommandTable::find(std::span<const Word> words) const {
  const Command* command = words.size() >= 2 ? lookup(words[0].text + " " + words[1].text) : nullptr;
  const size_t nameLength = command != nullptr ? 2 : 1;
  if (command == nullptr) command = lookup(words[0].text);
  if (command == nullptr) {
    bool namesTwoWords = words.size() >= 2 && isGroup(words[0].text);
    throw CommandError("unknown command " +
                       inQuotes(namesTwoWords ? words[0].text + " " + words[1].text : words[0].text));
  }
  auto arguments = words.subspan(nameLength);
  if (arguments.size() < command->minArguments || arguments.size() > command->maxArguments) {
    throw CommandError("usage: " + command->usage());
  }
  return {*command, Arguments(arguments)};
}

}  // namespace lunadoze::sim
