#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "sim/ScriptSyntax.h"

namespace lunadoze::sim {
namespace {

std::vector<std::string> texts(std::string_view line) {
  auto words = tokenize(line);
  EXPECT_TRUE(words) << words.error();
  std::vector<std::string> result;
  if (words) {
    for (const Word& word : *words) result.push_back(word.text);
  }
  return result;
}

using Texts = std::vector<std::string>;

TEST(TokenizeTest, BlanksSeparateWordsAndQuotesKeepThemTogether) {
  EXPECT_EQ(texts("  music queue\t\"Night Drive\" 240  "), (Texts{"music", "queue", "Night Drive", "240"}));
  EXPECT_EQ(texts("prefs set name \"\""), (Texts{"prefs", "set", "name", ""}));
  EXPECT_EQ(texts("device plist /a.plist name=\"Car Kit\""),
            (Texts{"device", "plist", "/a.plist", "name=Car Kit"}));
  EXPECT_EQ(texts("wait 5\r"), (Texts{"wait", "5"}));
}

TEST(TokenizeTest, RawTextKeepsTheQuotesAsWritten) {
  auto words = tokenize(R"(expect bluetooth.connected "AirPods", "Car")");
  ASSERT_TRUE(words);
  ASSERT_EQ(words->size(), 4u);
  EXPECT_EQ((*words)[2].raw, "\"AirPods\",");
  EXPECT_EQ((*words)[2].text, "AirPods,");
  EXPECT_EQ((*words)[3].raw, "\"Car\"");
}

TEST(TokenizeTest, HashStartsACommentWhereAWordCouldBegin) {
  EXPECT_EQ(texts("# a comment"), Texts{});
  EXPECT_EQ(texts("   "), Texts{});
  EXPECT_EQ(texts("wait 5 # then look"), (Texts{"wait", "5"}));
  EXPECT_EQ(texts("wait 5 #then"), (Texts{"wait", "5"}));
  EXPECT_EQ(texts("echo \"#1 # not a comment\""), (Texts{"echo", "#1 # not a comment"}));
  EXPECT_EQ(texts("echo issue#12"), (Texts{"echo", "issue#12"}));
}

TEST(TokenizeTest, AColourIsAWordNotAComment) {
  EXPECT_EQ(texts("device colour-tweak #FF8000"), (Texts{"device", "colour-tweak", "#FF8000"}));
  EXPECT_EQ(texts("device colour-tweak #00ff7a # green"), (Texts{"device", "colour-tweak", "#00ff7a"}));
  EXPECT_EQ(texts("device colour-tweak #FF80"), (Texts{"device", "colour-tweak"}));
  EXPECT_EQ(texts("device colour-tweak #FF8000AA"), (Texts{"device", "colour-tweak"}));
}

TEST(TokenizeTest, AnUnterminatedQuoteIsAnError) {
  auto words = tokenize("echo \"hello world");
  ASSERT_FALSE(words);
  EXPECT_EQ(words.error(), "unterminated quote in \"hello world");
}

TEST(DurationTest, SecondsOrAUnit) {
  EXPECT_EQ(parseDuration("90"), 90);
  EXPECT_EQ(parseDuration("1.5"), 1.5);
  EXPECT_EQ(parseDuration("0"), 0);
  EXPECT_EQ(parseDuration("30s"), 30);
  EXPECT_EQ(parseDuration("15m"), 900);
  EXPECT_EQ(parseDuration("1.5m"), 90);
  EXPECT_EQ(parseDuration("8h"), 28800);
}

TEST(DurationTest, AnythingElseIsNoDuration) {
  for (const char* word :
       {"", "s", "-5", "+5", "5x", "5ms", "1e3", ".5", "5.", "1.2.3", "inf", "nan", "m5", " 5"}) {
    EXPECT_EQ(parseDuration(word), std::nullopt) << word;
  }
}

TEST(NumberTest, IntegersAndDecimals) {
  EXPECT_EQ(parseInteger("42"), 42);
  EXPECT_EQ(parseInteger("-3"), -3);
  EXPECT_EQ(parseInteger("4.5"), std::nullopt);
  EXPECT_EQ(parseInteger("+4"), std::nullopt);
  EXPECT_EQ(parseInteger("99999999999999999999"), std::nullopt);
  EXPECT_EQ(parseDecimal("0.5"), 0.5);
  EXPECT_EQ(parseDecimal("-1.25"), -1.25);
  EXPECT_EQ(parseDecimal("7"), 7);
  EXPECT_EQ(parseDecimal("1e3"), std::nullopt);
  EXPECT_EQ(parseDecimal("-"), std::nullopt);
  EXPECT_EQ(parseDecimal("true"), std::nullopt);
}

TEST(NumberTest, NumbersTooLargeToHoldReadAsInfinityWhichNoRangeTakes) {
  const std::string nines(400, '9');
  const double infinity = std::numeric_limits<double>::infinity();
  EXPECT_EQ(parseDecimal(nines), infinity);
  EXPECT_EQ(parseDecimal("-" + nines + ".5"), -infinity);
  EXPECT_EQ(parseDuration(nines), infinity);
  EXPECT_EQ(parseDuration(nines + "h"), infinity);
  EXPECT_EQ(parseInteger(nines), std::nullopt);
  // A fraction too small to hold is the nearest number there is.
  EXPECT_EQ(parseDecimal("0." + std::string(400, '0') + "1"), 0.0);
  EXPECT_EQ(parseDuration("1e400"), std::nullopt);
}

}  // namespace
}  // namespace lunadoze::sim
