#include "sim/CommandContext.h"

#include "sim/Simulator.h"

namespace lunadoze::sim {

Device& CommandContext::device() const {
  return simulator_.device();
}

void CommandContext::expect(bool held, std::string_view failure) {
  if (held) {
    ++tally_.passed;
    return;
  }
  ++tally_.failed;
  err_ << location_ << ": " << failure << '\n';
}

}  // namespace lunadoze::sim
