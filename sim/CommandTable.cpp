#include "sim/CommandTable.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "sim/CommandError.h"
#include "sim/NearestNames.h"
#include "sim/StateFormat.h"

namespace lunadoze::sim {
namespace {

std::string joined(const std::vector<std::string>& names) {
  std::string text;
  for (const auto& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

}  // namespace

std::string Command::usage() const {
  return parameters.empty() ? name : name + " " + parameters;
}

void CommandTable::add(std::string name, std::string parameters, std::string meaning, CommandHandler run) {
  Command command{name, std::move(parameters), std::move(meaning), std::move(run)};
  bool optional = false;
  std::string_view rest(command.parameters);
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

void CommandTable::addTopic(std::string topic, std::string title, TopicValues values) {
  if (!topics_.emplace(topic, Topic{std::move(title), std::move(values)}).second) {
    throw std::logic_error("help topic added twice: " + topic);
  }
}

const Command* CommandTable::lookup(std::string_view name) const {
  auto found = commands_.find(name);
  return found == commands_.end() ? nullptr : &found->second;
}

bool CommandTable::isGroup(std::string_view word) const {
  auto next = commands_.upper_bound(word);
  return next != commands_.end() && next->first.starts_with(std::string(word) + " ");
}

std::vector<std::string> CommandTable::firstWords() const {
  std::vector<std::string> words;
  for (const auto& [name, command] : commands_) {
    std::string first = name.substr(0, name.find(' '));
    if (words.empty() || words.back() != first) words.push_back(first);
  }
  return words;
}

std::vector<std::string> CommandTable::subcommands(std::string_view group) const {
  std::vector<std::string> names;
  const std::string prefix = std::string(group) + " ";
  for (auto it = commands_.lower_bound(prefix); it != commands_.end() && it->first.starts_with(prefix);
       ++it) {
    names.push_back(it->first.substr(prefix.size()));
  }
  return names;
}

CommandTable::Match CommandTable::find(std::span<const Word> words) const {
  const Command* command = words.size() >= 2 ? lookup(words[0].text + " " + words[1].text) : nullptr;
  const size_t nameLength = command != nullptr ? 2 : 1;
  if (command == nullptr) command = lookup(words[0].text);
  if (command == nullptr) {
    const std::string& first = words[0].text;
    if (!isGroup(first)) {
      throw CommandError("unknown command " + inQuotes(first) + didYouMean(first, firstWords()) +
                         " (help lists the commands)");
    }
    auto names = subcommands(first);
    if (words.size() < 2) {
      throw CommandError(inQuotes(first) + " needs a subcommand: " + first + " " + joined(names));
    }
    throw CommandError("unknown command " + inQuotes(first + " " + words[1].text) +
                       didYouMean(words[1].text, names) + ": " + first + " takes " + joined(names));
  }
  auto arguments = words.subspan(nameLength);
  if (arguments.size() < command->minArguments || arguments.size() > command->maxArguments) {
    throw CommandError("usage: " + command->usage());
  }
  return {*command, Arguments(arguments)};
}

std::vector<const Command*> CommandTable::all() const {
  std::vector<const Command*> all;
  for (const auto& [name, command] : commands_) all.push_back(&command);
  return all;
}

std::vector<const Command*> CommandTable::about(std::string_view topic) const {
  std::vector<const Command*> found;
  for (const auto& [name, command] : commands_) {
    if (name == topic || (name.starts_with(topic) && name.size() > topic.size() && name[topic.size()] == ' '))
      found.push_back(&command);
  }
  return found;
}

const CommandTable::Topic* CommandTable::topic(std::string_view name) const {
  auto found = topics_.find(name);
  return found == topics_.end() ? nullptr : &found->second;
}

std::vector<std::string> CommandTable::topicNames() const {
  std::vector<std::string> names;
  for (const auto& [name, command] : commands_) names.push_back(name);
  for (const auto& word : firstWords()) names.push_back(word);
  for (const auto& [name, topic] : topics_) names.push_back(name);
  std::ranges::sort(names);
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

}  // namespace lunadoze::sim
