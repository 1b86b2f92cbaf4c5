#include "sim/ScriptSyntax.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>
#include <utility>

namespace lunadoze::sim {
namespace {

using platform::foundation::Error;

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

bool isDigits(std::string_view text) {
  return !text.empty() &&
         std::ranges::all_of(text, [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

// A colour word such as #FF8000 reads as a word, not as the start of a comment.
bool startsColour(std::string_view rest) {
  return rest.size() >= 7 &&
         std::ranges::all_of(rest.substr(1, 6),
                             [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); }) &&
         (rest.size() == 7 || isBlank(rest[7]));
}

// Digits, optionally followed by a point and more digits.
bool isUnsignedDecimal(std::string_view text) {
  size_t point = text.find('.');
  if (point == std::string_view::npos) return isDigits(text);
  return isDigits(text.substr(0, point)) && isDigits(text.substr(point + 1));
}

}  // namespace

platform::foundation::Result<std::vector<Word>> tokenize(std::string_view line) {
  std::vector<Word> words;
  size_t i = 0;
  while (true) {
    while (i < line.size() && isBlank(line[i])) ++i;
    if (i == line.size() || (line[i] == '#' && !startsColour(line.substr(i)))) break;

    size_t start = i;
    Word word;
    bool quoted = false;
    for (; i < line.size() && (quoted || !isBlank(line[i])); ++i) {
      if (line[i] == '"') {
        quoted = !quoted;
      } else {
        word.text.push_back(line[i]);
      }
    }
    if (quoted) return Error{"unterminated quote in " + std::string(line.substr(start))};
    word.raw = std::string(line.substr(start, i - start));
    words.push_back(std::move(word));
  }
  return words;
}

std::optional<int64_t> parseInteger(std::string_view word) {
  int64_t value = 0;
  auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size()) return std::nullopt;
  return value;
}

std::optional<double> parseDecimal(std::string_view word) {
  const bool negative = word.starts_with('-');
  std::string_view digits = negative ? word.substr(1) : word;
  if (!isUnsignedDecimal(digits)) return std::nullopt;
  double value = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Without an exponent, a number overflows when its whole part is too long; one that is all
    // fraction underflows to the nearest double, 0.
    const bool whole = digits.substr(0, digits.find('.')).find_first_not_of('0') != std::string_view::npos;
    value = whole ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -value : value;
}

std::optional<double> parseDuration(std::string_view word) {
  static constexpr std::pair<char, double> kUnits[] = {{'s', 1}, {'m', 60}, {'h', 3600}};
  double unit = 1;
  for (auto [suffix, seconds] : kUnits) {
    if (word.ends_with(suffix)) {
      unit = seconds;
      word.remove_suffix(1);
      break;
    }
  }
  if (!isUnsignedDecimal(word)) return std::nullopt;
  return *parseDecimal(word) * unit;
}

}  // namespace lunadoze::sim
