#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/foundation/Result.h"

namespace platform::foundation {

// A property-list value: boolean, integer, real, string, data, date, array or dictionary.
// Values are immutable once built; copies share their arrays and dictionaries.
class PropertyList {
 public:
  using Array = std::vector<PropertyList>;
  using Dictionary = std::map<std::string, PropertyList, std::less<>>;
  using Data = std::vector<uint8_t>;

  PropertyList(bool value) : value_(value) {}
  PropertyList(int value) : value_(int64_t{value}) {}
  PropertyList(int64_t value) : value_(value) {}
  PropertyList(double value) : value_(value) {}
  PropertyList(std::string value) : value_(std::move(value)) {}
  PropertyList(const char* value) : value_(std::string(value)) {}
  PropertyList(Array value);
  PropertyList(Dictionary value);
  static PropertyList fromData(Data bytes);
  // A date as seconds since 2001-01-01 00:00:00 UTC, the reference date of property lists.
  static PropertyList fromDate(double secondsSinceReferenceDate);

  bool isBool() const { return std::holds_alternative<bool>(value_); }
  bool isInteger() const { return std::holds_alternative<int64_t>(value_); }
  bool isReal() const { return std::holds_alternative<double>(value_); }
  bool isString() const { return std::holds_alternative<std::string>(value_); }
  bool isData() const { return std::holds_alternative<Data>(value_); }
  bool isDate() const { return std::holds_alternative<Date>(value_); }
  bool isArray() const { return std::holds_alternative<std::shared_ptr<const Array>>(value_); }
  bool isDictionary() const { return std::holds_alternative<std::shared_ptr<const Dictionary>>(value_); }

  // Read as Foundation reads numbers and strings (boolValue, integerValue, doubleValue): a
  // number converts; a string reads its leading number ("YES", "true", "42abc", " 1.5"), and
  // text that is no number reads as NO / 0. Data, dates, arrays and dictionaries have no such
  // reading: nullopt.
  std::optional<bool> boolValue() const;
  std::optional<int64_t> integerValue() const;
  std::optional<double> doubleValue() const;

  // The contents when the value is of that kind, else null / nullopt.
  const std::string* string() const { return std::get_if<std::string>(&value_); }
  const Data* data() const { return std::get_if<Data>(&value_); }
  std::optional<double> date() const;
  const Array* array() const;
  const Dictionary* dictionary() const;

  // Dictionary lookup: null when the key is absent or this is not a dictionary.
  const PropertyList* operator[](std::string_view key) const;

  // XML or binary, told apart by their first bytes. Bad input yields an error, never an abort.
  static Result<PropertyList> parse(std::span<const uint8_t> bytes);
  static Result<PropertyList> parse(std::string_view bytes);
  // The file's contents parsed; the error names the file.
  static Result<PropertyList> readFile(const std::filesystem::path& hostPath);
  // The contents of an open file parsed; the descriptor is closed.
  static Result<PropertyList> readDescriptor(int fd);
  // NSDictionary's dictionaryWithContentsOfFile:, on a device path: nullopt (nil) when the path
  // is refused or the file is missing, unreadable or no dictionary.
  static std::optional<Dictionary> dictionaryWithContentsOfFile(std::string_view devicePath);

  // XML cannot carry every string (see fitsXml); the binary form keeps each one whole.
  std::string toXml() const;
  std::vector<uint8_t> toBinary() const;
  // Whether every string and key is UTF-8 that XML 1.0 can carry (no NUL or other control
  // character but tab and line ends): else only the binary form keeps the value as it is.
  bool fitsXml() const;

  // Deep equality; an integer never equals a real.
  bool operator==(const PropertyList& other) const;

 private:
  struct Date {
    double secondsSinceReferenceDate;
    bool operator==(const Date&) const = default;
  };
  // Containers are held through pointers: a value type cannot hold a map of itself directly.
  using Value = std::variant<bool, int64_t, double, std::string, Data, Date, std::shared_ptr<const Array>,
                             std::shared_ptr<const Dictionary>>;

  explicit PropertyList(Value value) : value_(std::move(value)) {}

  Value value_;
};

// One line for people: true, 42, 1.5, "text", <00ff>, date(600000000), (1, 2), {key = value; ...}.
std::ostream& operator<<(std::ostream& out, const PropertyList& value);

}  // namespace platform::foundation
