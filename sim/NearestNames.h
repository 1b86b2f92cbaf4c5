#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lunadoze::sim {

// The names closest to a misspelt word, for the "did you mean" of an error: those a few edits
// away (a letter typed wrong, dropped, added or two swapped), or that begin with the word; the
// closest first. Empty when nothing is close enough to be a guess worth showing.
std::vector<std::string> nearestNames(std::string_view word, std::span<const std::string> names);

// " (did you mean A or B?)" for the nearest names, "" when there are none.
std::string didYouMean(std::string_view word, std::span<const std::string> names);

}  // namespace lunadoze::sim
