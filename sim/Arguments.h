#pragma once

#include <span>
#include <string>

#include "sim/ScriptSyntax.h"

namespace lunadoze::sim {

// The words after a command's name. The command table has already checked how many there are.
class Arguments {
 public:
  explicit Arguments(std::span<const Word> words) : words_(words) {}

  size_t size() const { return words_.size(); }
  // The text of the argument, quotes removed.
  const std::string& operator[](size_t index) const { return words_[index].text; }
  const Word& word(size_t index) const { return words_[index]; }
  std::span<const Word> words() const { return words_; }

  // The argument as a duration in seconds; CommandError when it is none or longer than
  // kMaximumDuration.
  double duration(size_t index) const;

 private:
  std::span<const Word> words_;
};

}  // namespace lunadoze::sim
