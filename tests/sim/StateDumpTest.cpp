#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

#include "sim/StateDump.h"

namespace lunadoze::sim {
namespace {

TEST(StateDumpTest, LinesPrintInTheDumpsOrderWhateverOrderTheyWereProvidedIn) {
  StateDump state;
  state.provide("haptics", [] { return "2"; });
  state.provide("tweak", [] { return "hooked"; });
  state.provide("clock", [] { return "1801"; });
  std::ostringstream out;
  state.print(out);
  EXPECT_EQ(out.str(), "clock: 1801\ntweak: hooked\nhaptics: 2\n");
}

TEST(StateDumpTest, ALineThatNothingProvidesIsAbsent) {
  StateDump state;
  state.provide("tweak", [] { return "disabled"; });
  EXPECT_EQ(state.value("tweak"), "disabled");
  EXPECT_EQ(state.value("music"), std::nullopt);
  EXPECT_TRUE(StateDump::isKey("music"));
  EXPECT_FALSE(StateDump::isKey("brightness"));
}

TEST(StateDumpTest, OnlyTheDumpsKeysCanBeProvidedAndEachOnce) {
  StateDump state;
  EXPECT_THROW(state.provide("brightness", [] { return "1"; }), std::logic_error);
  state.provide("clock", [] { return "0"; });
  EXPECT_THROW(state.provide("clock", [] { return "0"; }), std::logic_error);
}

}  // namespace
}  // namespace lunadoze::sim
