#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>

#include "platform/foundation/PropertyList.h"
#include "platform/foundation/PropertyListCheck.h"
#include "tests/platform/foundation/BinaryPropertyList.h"
#include "tests/platform/foundation/TemporaryDirectory.h"

namespace platform::foundation {
namespace {

PropertyList everyKind() {
  return PropertyList::Dictionary{
      {"bool", true},
      {"integer", int64_t{-9'000'000'000}},
      {"real", 0.1},
      {"string",
       "Nuit \xc3\xa9toil\xc3\xa9"
       "e <&>"},
      {"data", PropertyList::fromData({0, 1, 254, 255})},
      {"date", PropertyList::fromDate(600'000'000)},  // XML keeps whole seconds
      {"array", PropertyList::Array{1, "two", PropertyList::Array{}}},
      {"empty", PropertyList::Dictionary{}},
  };
}

TEST(PropertyListTest, EveryKindSurvivesXmlAndBinary) {
  PropertyList original = everyKind();
  auto fromXml = PropertyList::parse(original.toXml());
  ASSERT_TRUE(fromXml) << fromXml.error();
  EXPECT_EQ(*fromXml, original);
  auto fromBinary = PropertyList::parse(original.toBinary());
  ASSERT_TRUE(fromBinary) << fromBinary.error();
  EXPECT_EQ(*fromBinary, original);
}

TEST(PropertyListTest, IntegersAndRealsStayApart) {
  EXPECT_NE(PropertyList(1), PropertyList(1.0));
  EXPECT_NE(PropertyList(true), PropertyList(1));
  auto parsed = PropertyList::parse(PropertyList(2.0).toXml());
  ASSERT_TRUE(parsed);
  EXPECT_TRUE(parsed->isReal());
}

TEST(PropertyListTest, TextReadsAsFoundationReadsIt) {
  struct Case {
    const char* text;
    bool boolValue;
    int64_t integerValue;
    double doubleValue;
  };
  for (const Case& c : {
           Case{"YES", true, 0, 0},
           Case{"true", true, 0, 0},
           Case{"no", false, 0, 0},
           Case{"  42 apples", true, 42, 42},
           Case{"-7", true, -7, -7},
           Case{"+0003", true, 3, 3},
           Case{"0", false, 0, 0},
           Case{"1.5e2", true, 1, 150},
           Case{".5", false, 0, 0.5},
           Case{"", false, 0, 0},
           Case{"99999999999999999999", true, INT64_MAX, 1e20},
           Case{"-99999999999999999999", true, INT64_MIN, -1e20},
       }) {
    PropertyList value(c.text);
    EXPECT_EQ(value.boolValue(), c.boolValue) << c.text;
    EXPECT_EQ(value.integerValue(), c.integerValue) << c.text;
    EXPECT_DOUBLE_EQ(*value.doubleValue(), c.doubleValue) << c.text;
  }
}

TEST(PropertyListTest, NumbersConvertAndContainersHaveNoNumberReading) {
  EXPECT_EQ(PropertyList(15.7).integerValue(), 15);
  EXPECT_EQ(PropertyList(-15.7).integerValue(), -15);
  EXPECT_EQ(PropertyList(1e300).integerValue(), INT64_MAX);
  EXPECT_EQ(PropertyList(0.5).boolValue(), true);
  EXPECT_EQ(PropertyList(true).integerValue(), 1);
  EXPECT_EQ(PropertyList(int64_t{3}).doubleValue(), 3.0);
  for (const PropertyList& value :
       {PropertyList::fromData({1}), PropertyList::fromDate(0), PropertyList(PropertyList::Array{1}),
        PropertyList(PropertyList::Dictionary{})}) {
    EXPECT_EQ(value.boolValue(), std::nullopt);
    EXPECT_EQ(value.integerValue(), std::nullopt);
    EXPECT_EQ(value.doubleValue(), std::nullopt);
  }
}

TEST(PropertyListTest, DictionaryLookupIsNullWhenAbsentOrNotADictionary) {
  PropertyList value = everyKind();
  ASSERT_NE(value["string"], nullptr);
  EXPECT_EQ(value["missing"], nullptr);
  EXPECT_EQ((*value["array"])["anything"], nullptr);
}

TEST(PropertyListTest, DescriptionIsOneLineForPeople) {
  std::ostringstream out;
  out << PropertyList(PropertyList::Dictionary{{"a", true}, {"b", PropertyList::Array{1, 2.5, "x \"y\""}}});
  EXPECT_EQ(out.str(), R"({"a" = true; "b" = (1, 2.5, "x \"y\"")})");
}

TEST(PropertyListTest, BadInputIsAnErrorNotACrash) {
  std::string xml = everyKind().toXml();
  std::vector<uint8_t> binary = everyKind().toBinary();
  std::vector<std::string> inputs = {
      "",
      "hello",
      xml.substr(0, xml.size() / 2),
      std::string(binary.begin(), binary.begin() + static_cast<long>(binary.size() / 2)),
      std::string("bplist00") + std::string(40, '\xff'),
  };
  for (const std::string& input : inputs) {
    auto parsed = PropertyList::parse(input);
    ASSERT_FALSE(parsed) << "accepted: " << input;
    EXPECT_FALSE(parsed.error().empty());
  }
}

TEST(PropertyListTest, FileErrorsNameTheFile) {
  TemporaryDirectory directory;
  auto missing = PropertyList::readFile(directory.path() / "missing.plist");
  ASSERT_FALSE(missing);
  EXPECT_NE(missing.error().find("missing.plist"), std::string::npos);

  std::ofstream(directory.path() / "text.plist") << "not a plist";
  auto text = PropertyList::readFile(directory.path() / "text.plist");
  ASSERT_FALSE(text);
  EXPECT_NE(text.error().find("text.plist"), std::string::npos);

  auto written = everyKind().toBinary();
  std::ofstream(directory.path() / "good.plist", std::ios::binary)
      .write(reinterpret_cast<const char*>(written.data()), static_cast<std::streamsize>(written.size()));
  auto good = PropertyList::readFile(directory.path() / "good.plist");
  ASSERT_TRUE(good) << good.error();
  EXPECT_EQ(*good, everyKind());
}

// libplist aborts on reading such a key; it must come back as an error instead.
TEST(PropertyListTest, DictionaryKeyHoldingNulIsAnError) {
  const std::string utf16Key("\x62\x00\x61\x00\x00", 5);  // "a" then U+0000
  const std::string asciiKey("\x52\x61\x00", 3);
  for (const std::string& key : {utf16Key, asciiKey}) {
    const std::string list = binaryPropertyList({container("\xd1", {1, 2}), key, "\x09"});
    auto parsed = PropertyList::parse(list);
    ASSERT_FALSE(parsed);
    EXPECT_NE(parsed.error().find("U+0000"), std::string::npos) << parsed.error();
    // Inside an array too: the key is found wherever it is.
    auto nested = PropertyList::parse(
        binaryPropertyList({container("\xa1", {1}), container("\xd1", {2, 3}), key, "\x09"}));
    EXPECT_FALSE(nested);
  }
  // NUL in a value is text like any other.
  auto value = PropertyList::parse(binaryPropertyList({container("\xd1", {1, 2}), "\x51k", utf16Key}));
  ASSERT_TRUE(value) << value.error();
  EXPECT_EQ(*(*value)["k"], PropertyList(std::string("a\0", 2)));
}

std::string nestedArraysXml(size_t depth) {
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">";
  for (size_t i = 0; i < depth; ++i) xml += "<array>";
  for (size_t i = 0; i < depth; ++i) xml += "</array>";
  return xml + "</plist>";
}

std::string nestedArraysBinary(size_t depth) {
  std::vector<std::string> objects;
  for (size_t i = 1; i < depth; ++i) objects.push_back(container("\xa1", {i}));
  objects.push_back("\xa0");
  return binaryPropertyList(objects);
}

TEST(PropertyListTest, NestingIsBoundedInBothForms) {
  for (size_t depth : {PropertyListCheck::kMaxDepth, PropertyListCheck::kMaxDepth + 1, size_t{20000}}) {
    SCOPED_TRACE(depth);
    const bool allowed = depth <= PropertyListCheck::kMaxDepth;
    for (const std::string& list : {nestedArraysXml(depth), nestedArraysBinary(depth)}) {
      auto parsed = PropertyList::parse(list);
      EXPECT_EQ(bool(parsed), allowed) << (parsed ? "" : parsed.error());
      if (!allowed) {
        EXPECT_NE(parsed.error().find("nested deeper"), std::string::npos) << parsed.error();
      }
    }
  }
  // Tags the parser skips do not hide nesting, nor add to it.
  std::string hidden = nestedArraysXml(PropertyListCheck::kMaxDepth + 1);
  hidden.insert(hidden.find("<array>"), "<!-- </array></array> --><![CDATA[</array>]]>");
  EXPECT_FALSE(PropertyList::parse(hidden));
  std::string commented = nestedArraysXml(PropertyListCheck::kMaxDepth);
  commented.insert(commented.find("<array>"), "<!-- <array><array> -->");
  EXPECT_TRUE(PropertyList::parse(commented));
}

TEST(PropertyListTest, BinaryListsThatLoopOrExpandWithoutEndAreErrors) {
  // An array holding itself.
  EXPECT_FALSE(PropertyList::parse(binaryPropertyList({container("\xa1", {0})})));
  // Sixty arrays each holding the next twice: 2^60 values once expanded.
  std::vector<std::string> objects;
  for (size_t i = 1; i <= 60; ++i) objects.push_back(container("\xa2", {i, i}));
  objects.push_back("\x09");
  auto parsed = PropertyList::parse(binaryPropertyList(objects));
  ASSERT_FALSE(parsed);
  EXPECT_NE(parsed.error().find("values"), std::string::npos) << parsed.error();
  // References and counts past the end.
  EXPECT_FALSE(PropertyList::parse(binaryPropertyList({container("\xa1", {7})})));
  EXPECT_FALSE(PropertyList::parse(binaryPropertyList({"\xaf\x13" + std::string(7, '\xff') + "\xff"})));
}

TEST(PropertyListTest, DatesBeyondWhatTheFileHoldsAreClampedNotWrapped) {
  constexpr double kLatest = std::numeric_limits<int32_t>::max();
  constexpr double kEarliest = std::numeric_limits<int32_t>::min();
  const std::vector<std::pair<double, double>> cases = {
      {1e300, kLatest}, {-1e300, kEarliest}, {HUGE_VAL, kLatest}, {-HUGE_VAL, kEarliest},
      {NAN, 0},         {0x1p40, kLatest},   {-86400, -86400},    {600'000'000.25, 600'000'000.25}};
  for (const auto& [stored, expected] : cases) {
    SCOPED_TRACE(stored);
    auto parsed =
        PropertyList::parse(PropertyList(PropertyList::Array{PropertyList::fromDate(stored)}).toBinary());
    ASSERT_TRUE(parsed) << parsed.error();
    EXPECT_NEAR(*(*parsed->array())[0].date(), expected, 1e-5);
  }
}

TEST(PropertyListTest, DatesBeyondWhatLibplistConvertsReadClamped) {
  auto date = [](double seconds) {
    std::string object = "\x33";
    const auto bits = std::bit_cast<uint64_t>(seconds);
    for (int shift = 56; shift >= 0; shift -= 8) object += static_cast<char>(bits >> shift & 0xFF);
    return object;
  };
  for (const auto& [stored, expected] :
       std::vector<std::pair<double, double>>{{1e300, std::numeric_limits<int32_t>::max()},
                                              {-1e20, std::numeric_limits<int32_t>::min()},
                                              {NAN, 0}}) {
    SCOPED_TRACE(stored);
    auto parsed = PropertyList::parse(binaryPropertyList({container("\xa2", {1, 1}), date(stored)}));
    ASSERT_TRUE(parsed) << parsed.error();
    for (const PropertyList& item : *parsed->array()) EXPECT_EQ(*item.date(), expected);
  }
}

// A count of 51 (0x33) written after a marker ends in the byte that marks a date: only a date
// is clamped, never the text or bytes of a value that long.
TEST(PropertyListTest, AValueWhoseCountEndsLikeADatesMarkerReadsAsItWasWritten) {
  const std::string text = "\x07" + std::string(50, 'x');
  const PropertyList::Array values = {text, PropertyList::fromData(std::vector<uint8_t>(51, 0xFF)),
                                      PropertyList::Array(51, PropertyList(int64_t{7}))};
  auto parsed = PropertyList::parse(PropertyList(values).toBinary());
  ASSERT_TRUE(parsed) << parsed.error();
  EXPECT_TRUE(*parsed == PropertyList(values));
}

TEST(PropertyListTest, StringsHoldingNulAreWrittenWhole) {
  const std::string text("one\0two \xc3\xa9", 10);
  const std::string longText = std::string(40, 'x') + std::string(1, '\0') + "y";
  PropertyList list = PropertyList::Dictionary{{"short", text}, {"long", longText}, {"plain", "plain"}};
  auto parsed = PropertyList::parse(list.toBinary());
  ASSERT_TRUE(parsed) << parsed.error();
  EXPECT_EQ(*parsed, list);
  EXPECT_FALSE(list.fitsXml());
}

TEST(PropertyListTest, OnlyTextXmlCanCarryFitsXml) {
  EXPECT_TRUE(everyKind().fitsXml());
  EXPECT_TRUE(PropertyList("tab\tline\nreturn\r \xf0\x9f\x8c\x99").fitsXml());
  for (const std::string& text : {std::string("\x01"), std::string("\x1b[0m"), std::string("caf\xe9"),
                                  std::string("\xef\xbf\xbe"), std::string("a\0b", 3)}) {
    EXPECT_FALSE(PropertyList(text).fitsXml()) << testing::PrintToString(text);
    EXPECT_FALSE(PropertyList(PropertyList::Array{PropertyList::Dictionary{{text, 1}}}).fitsXml());
  }
}

}  // namespace
}  // namespace platform::foundation
