#include "sim/NearestNames.h"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace lunadoze::sim {
namespace {

char folded(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// Edits from one to the other, a swap of neighbours counting as one; case is ignored.
size_t distance(std::string_view from, std::string_view to) {
  const size_t columns = to.size() + 1;
  std::vector<size_t> previous(columns);
  std::vector<size_t> current(columns);
  std::vector<size_t> beforePrevious(columns);
  std::iota(previous.begin(), previous.end(), size_t{0});
  for (size_t i = 1; i <= from.size(); ++i) {
    current[0] = i;
    for (size_t j = 1; j <= to.size(); ++j) {
      const bool same = folded(from[i - 1]) == folded(to[j - 1]);
      current[j] = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + (same ? 0 : 1)});
      if (i > 1 && j > 1 && folded(from[i - 1]) == folded(to[j - 2]) &&
          folded(from[i - 2]) == folded(to[j - 1]))
        current[j] = std::min(current[j], beforePrevious[j - 2] + 1);
    }
    beforePrevious.swap(previous);
    previous.swap(current);
  }
  return previous[to.size()];
}

}  // namespace

std::vector<std::string> nearestNames(std::string_view word, std::span<const std::string> names) {
  // A third of the word may be wrong, at least one letter and at most three.
  const size_t allowed = std::clamp<size_t>(word.size() / 3, 1, 3);
  std::vector<std::pair<size_t, std::string>> close;
  for (const std::string& name : names) {
    const bool prefix = word.size() >= 2 && name.size() > word.size() &&
                        std::equal(word.begin(), word.end(), name.begin(),
                                   [](char a, char b) { return folded(a) == folded(b); });
    const size_t edits = prefix ? 1 : distance(word, name);
    if (edits <= allowed && edits > 0) close.emplace_back(edits, name);
  }
  std::ranges::stable_sort(close, {}, &std::pair<size_t, std::string>::first);
  std::vector<std::string> nearest;
  for (auto& [edits, name] : close) {
    if (edits > close.front().first || nearest.size() == 3) break;
    nearest.push_back(std::move(name));
  }
  return nearest;
}

std::string didYouMean(std::string_view word, std::span<const std::string> names) {
  auto nearest = nearestNames(word, names);
  if (nearest.empty()) return "";
  std::string text = " (did you mean ";
  for (size_t i = 0; i < nearest.size(); ++i) {
    if (i > 0) text += i + 1 == nearest.size() ? " or " : ", ";
    text += nearest[i];
  }
  return text + "?)";
}

}  // namespace lunadoze::sim
