#pragma once

#include <utility>
#include <vector>

namespace lunadoze::sim {

// Rows of a picture's pixels, as runs from a top row to the row below the last: where a picture
// drawn again differs from the last one.
class RowSet {
 public:
  using Run = std::pair<int, int>;

  static RowSet all(int height);

  // Adds the rows from `top` up to `bottom`, not including it; nothing when bottom <= top.
  void add(int top, int bottom);
  void add(const RowSet& rows);
  // Whether any of the rows from `top` up to `bottom` is in the set.
  bool meets(int top, int bottom) const;
  bool empty() const { return runs_.empty(); }
  // The runs, from the top, apart from one another.
  const std::vector<Run>& runs() const { return runs_; }

 private:
  std::vector<Run> runs_;
};

}  // namespace lunadoze::sim
