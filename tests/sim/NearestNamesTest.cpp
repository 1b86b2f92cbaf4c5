#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/NearestNames.h"

namespace lunadoze::sim {
namespace {

const std::vector<std::string> kNames = {"sleep", "confirm", "cancel", "custom-volume", "bluetooth", "back"};

TEST(NearestNamesTest, TyposAreFoundByTheirEdits) {
  EXPECT_EQ(nearestNames("slep", kNames), std::vector<std::string>{"sleep"});
  EXPECT_EQ(nearestNames("confrim", kNames), std::vector<std::string>{"confirm"});
  EXPECT_EQ(nearestNames("CANCEL", kNames), std::vector<std::string>{});  // the same name is no guess
  EXPECT_EQ(nearestNames("blutooth", kNames), std::vector<std::string>{"bluetooth"});
  EXPECT_EQ(nearestNames("custom", kNames), std::vector<std::string>{"custom-volume"});
}

TEST(NearestNamesTest, FarWordsGetNoGuess) {
  EXPECT_TRUE(nearestNames("x", kNames).empty());
  EXPECT_TRUE(nearestNames("airplane", kNames).empty());
  EXPECT_EQ(didYouMean("airplane", kNames), "");
}

TEST(NearestNamesTest, TiesAreAllNamedClosestFirst) {
  const std::vector<std::string> names = {"bake", "back", "black"};
  EXPECT_EQ(nearestNames("bac", names), std::vector<std::string>{"back"});
  EXPECT_EQ(didYouMean("bakc", names), " (did you mean bake or back?)");
}

}  // namespace
}  // namespace lunadoze::sim
