#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "sim/CommandError.h"
#include "sim/CommandTable.h"

namespace lunadoze::sim {
namespace {

class CommandTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto noop = [](CommandContext&, const Arguments&) {};
    table.add("boot", "", "meaning", noop);
    table.add("tap", "NAME", "meaning", noop);
    table.add("device version", "V", "meaning", noop);
    table.add("device plist", "PATH KEY=VALUE...", "meaning", noop);
    table.add("prefs show", "[PAGE]", "meaning", noop);
    table.add("echo", "[TEXT]...", "meaning", noop);
    table.add("music queue", "TITLE SECONDS [TITLE SECONDS]...", "meaning", noop);
  }

  // The command's name and its arguments' count, or the error.
  std::string find(std::string_view line) {
    auto words = tokenize(line);
    try {
      auto [command, arguments] = table.find(*words);
      return command.name + " " + std::to_string(arguments.size());
    } catch (const CommandError& error) {
      return error.what();
    }
  }

  CommandTable table;
};

TEST_F(CommandTableTest, ANameIsOneWordOrTwo) {
  EXPECT_EQ(find("boot"), "boot 0");
  EXPECT_EQ(find("tap sleep"), "tap 1");
  EXPECT_EQ(find("device version 12.4"), "device version 1");
}

TEST_F(CommandTableTest, TheParametersSayHowManyArgumentsACommandTakes) {
  EXPECT_EQ(find("boot now"), "usage: boot");
  EXPECT_EQ(find("tap"), "usage: tap NAME");
  EXPECT_EQ(find("device version"), "usage: device version V");
  EXPECT_EQ(find("device plist /a.plist"), "usage: device plist PATH KEY=VALUE...");
  EXPECT_EQ(find("device plist /a.plist a=1 b=2 c=3"), "device plist 4");
  EXPECT_EQ(find("prefs show"), "prefs show 0");
  EXPECT_EQ(find("prefs show 1 2"), "usage: prefs show [PAGE]");
  EXPECT_EQ(find("echo"), "echo 0");
  EXPECT_EQ(find("echo a b c"), "echo 3");
  EXPECT_EQ(find("music queue A"), "usage: music queue TITLE SECONDS [TITLE SECONDS]...");
  EXPECT_EQ(find("music queue A 1 B 2"), "music queue 4");
}

TEST_F(CommandTableTest, UnknownCommandsAreNamed) {
  EXPECT_EQ(find("fly away"), "unknown command \"fly\" (help lists the commands)");
  EXPECT_EQ(find("device colour red"), "unknown command \"device colour\": device takes plist, version");
  EXPECT_EQ(find("device"), "\"device\" needs a subcommand: device plist, version");
}

TEST_F(CommandTableTest, AMisspeltNameGetsTheNearestOnes) {
  EXPECT_EQ(find("tpa sleep"), "unknown command \"tpa\" (did you mean tap?) (help lists the commands)");
  EXPECT_EQ(find("ech hello"), "unknown command \"ech\" (did you mean echo?) (help lists the commands)");
  EXPECT_EQ(find("device verison 12"),
            "unknown command \"device verison\" (did you mean version?): device takes plist, version");
  EXPECT_EQ(find("prefs shwo"), "unknown command \"prefs shwo\" (did you mean show?): prefs takes show");
}

TEST_F(CommandTableTest, HelpTopicsNameCommandsGroupsAndTopics) {
  table.addTopic("tap", "Control names", [] { return std::vector<std::string>{"sleep"}; });
  EXPECT_EQ(table.about("device").size(), 2u);
  EXPECT_EQ(table.about("dev").size(), 0u);
  EXPECT_EQ(table.about("tap").size(), 1u);
  auto names = table.topicNames();
  EXPECT_NE(std::ranges::find(names, "device"), names.end());
  EXPECT_NE(std::ranges::find(names, "device plist"), names.end());
  EXPECT_EQ(std::ranges::count(names, "tap"), 1);
}

TEST_F(CommandTableTest, ACommandIsAddedOnce) {
  EXPECT_THROW(table.add("boot", "", "again", [](CommandContext&, const Arguments&) {}), std::logic_error);
}

}  // namespace
}  // namespace lunadoze::sim
