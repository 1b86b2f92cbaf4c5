#include <gtest/gtest.h>

#include "sim/pictures/RowSet.h"

namespace lunadoze::sim {
namespace {

using Runs = std::vector<RowSet::Run>;

TEST(RowSetTest, RunsThatMeetOrTouchBecomeOne) {
  RowSet rows;
  rows.add(10, 20);
  rows.add(40, 50);
  rows.add(30, 35);
  EXPECT_EQ(rows.runs(), (Runs{{10, 20}, {30, 35}, {40, 50}}));
  // Touching the one before and overlapping the one after: all three at once.
  rows.add(20, 42);
  EXPECT_EQ(rows.runs(), (Runs{{10, 50}}));
  rows.add(0, 5);
  rows.add(5, 5);
  rows.add(7, 3);
  EXPECT_EQ(rows.runs(), (Runs{{0, 5}, {10, 50}}));
  rows.add(RowSet::all(100));
  EXPECT_EQ(rows.runs(), (Runs{{0, 100}}));
}

TEST(RowSetTest, MeetsOnlyRowsInTheSet) {
  RowSet rows;
  rows.add(10, 20);
  rows.add(30, 40);
  EXPECT_TRUE(rows.meets(19, 25));
  EXPECT_TRUE(rows.meets(0, 100));
  EXPECT_TRUE(rows.meets(35, 36));
  // Ends are not included.
  EXPECT_FALSE(rows.meets(20, 30));
  EXPECT_FALSE(rows.meets(0, 10));
  EXPECT_FALSE(rows.meets(40, 50));
  EXPECT_FALSE(rows.meets(15, 15));
  EXPECT_FALSE(RowSet().meets(0, 100));
}

}  // namespace
}  // namespace lunadoze::sim
