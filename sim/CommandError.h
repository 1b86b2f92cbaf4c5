#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace lunadoze::sim {

// A command that could not be run: unknown, a bad argument, a control that is not on screen, an
// unreadable file. The script stops there, and the run exits with status 2.
class CommandError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A person's action that cannot happen on the device as it is: a control that is not on screen,
// a greyed row, a value the control cannot take, a picker value not offered. Nothing changed;
// `expect-refused` expects one.
class Refusal : public CommandError {
 public:
  using CommandError::CommandError;
};

// The failure of work an earlier command left to go on after it (a picture being written), found
// when a later command or the end of the script waits for that work: told at the place of the
// command it belongs to.
class EarlierCommandError : public CommandError {
 public:
  EarlierCommandError(std::string location, std::string command, const std::string& what)
      : CommandError(what), location_(std::move(location)), command_(std::move(command)) {}

  const std::string& location() const { return location_; }
  const std::string& command() const { return command_; }

 private:
  std::string location_;
  std::string command_;
};

}  // namespace lunadoze::sim
