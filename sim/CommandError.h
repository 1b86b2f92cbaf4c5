#pragma once

#include <stdexcept>

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

}  // namespace lunadoze::sim
