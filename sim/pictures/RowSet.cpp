#include "sim/pictures/RowSet.h"

#include <algorithm>

namespace lunadoze::sim {

RowSet RowSet::all(int height) {
  RowSet rows;
  rows.add(0, height);
  return rows;
}

void RowSet::add(int top, int bottom) {
  if (bottom <= top) return;
  // The first run that reaches the new one (touching counts), and the first one beyond it.
  auto first = std::lower_bound(runs_.begin(), runs_.end(), top,
                                [](const Run& run, int row) { return run.second < row; });
  auto last = first;
  while (last != runs_.end() && last->first <= bottom) {
    top = std::min(top, last->first);
    bottom = std::max(bottom, last->second);
    ++last;
  }
  first = runs_.erase(first, last);
  runs_.insert(first, {top, bottom});
}

void RowSet::add(const RowSet& rows) {
  for (const auto& [top, bottom] : rows.runs_) add(top, bottom);
}

bool RowSet::meets(int top, int bottom) const {
  if (bottom <= top) return false;
  auto run = std::lower_bound(runs_.begin(), runs_.end(), top,
                              [](const Run& run, int row) { return run.second <= row; });
  return run != runs_.end() && run->first < bottom;
}

}  // namespace lunadoze::sim
