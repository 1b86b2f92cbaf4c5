#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/foundation/PropertyList.h"
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

}  // namespace
}  // namespace platform::foundation
