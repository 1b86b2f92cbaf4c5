#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/foundation/Result.h"

namespace lunadoze::sim {

// One word of a script line: its text, and the text as the script writes it (quotes included).
struct Word {
  std::string text;
  std::string raw;
};

// Splits one line into words. Blanks separate words; double quotes keep blanks inside a word
// and are not part of its text. A `#` where a word could begin starts a comment, except in a
// colour such as #FF8000 (six hex digits). A blank or comment-only line has no words.
platform::foundation::Result<std::vector<Word>> tokenize(std::string_view line);

// A number as scripts write it: an integer (`42`, `-3`), or a decimal (`0.5`, `-1.25`, and
// integers too). Nothing for anything else, exponents and a leading `+` included. An integer
// beyond 64 bits is none; a decimal too large for a double reads as an infinity of its sign, which
// no range takes, so that the command refuses it with its range instead of reading 0.
std::optional<int64_t> parseInteger(std::string_view word);
std::optional<double> parseDecimal(std::string_view word);

// The longest duration a script can ask for: ten years, in seconds.
inline constexpr double kMaximumDuration = 10 * 365 * 24 * 3600.0;

// The seconds of a duration: a number of seconds (`90`, `1.5`) or a number with a unit (`30s`,
// `15m`, `8h`). Nothing for anything else, negative numbers included; a number too large for a
// double reads as infinity, as parseDecimal has it.
std::optional<double> parseDuration(std::string_view word);

}  // namespace lunadoze::sim
