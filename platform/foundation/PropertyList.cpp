#include "platform/foundation/PropertyList.h"

#include <fcntl.h>
#include <plist/plist.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iomanip>
#include <limits>
#include <ostream>
#include <system_error>

#include "platform/foundation/DeviceFileSystem.h"

namespace platform::foundation {
namespace {

struct PlistFree {
  void operator()(plist_t node) const { plist_free(node); }
};
using Node = std::unique_ptr<void, PlistFree>;

struct Free {
  void operator()(void* memory) const { std::free(memory); }
};
template <typename T>
using Malloced = std::unique_ptr<T, Free>;

// Foundation reads the leading number of a text and ignores the rest: "  42 apples" is 42.
std::string_view skipSpaces(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  return text;
}

bool textBoolValue(std::string_view text) {
  text = skipSpaces(text);
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  while (!text.empty() && text.front() == '0') text.remove_prefix(1);
  return !text.empty() && std::string_view("YyTt123456789").find(text.front()) != std::string_view::npos;
}

int64_t textIntegerValue(std::string_view text) {
  text = skipSpaces(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // Accumulated negatively, so that the most negative value fits; overflow saturates.
  int64_t value = 0;
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  for (char c : text) {
    if (c < '0' || c > '9') break;
    int digit = c - '0';
    if (value < (kMin + digit) / 10) return negative ? kMin : std::numeric_limits<int64_t>::max();
    value = value * 10 - digit;
  }
  if (negative) return value;
  return value == kMin ? std::numeric_limits<int64_t>::max() : -value;
}

double textDoubleValue(std::string_view text) {
  text = skipSpaces(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  double value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec == std::errc::result_out_of_range) {
    // Too large reads as infinity, too small as zero, as strtod has them.
    std::string_view number(text.data(), static_cast<size_t>(end - text.data()));
    size_t exponent = number.find_first_of("eE");
    bool tiny =
        exponent != std::string_view::npos && exponent + 1 < number.size() && number[exponent + 1] == '-';
    value = tiny ? 0.0 : HUGE_VAL;
  } else if (ec != std::errc()) {
    value = 0;
  }
  return negative ? -value : value;
}

int64_t saturatingInteger(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 0x1p63) return std::numeric_limits<int64_t>::max();
  if (value < -0x1p63) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(value);
}

Result<PropertyList> fromNode(plist_t node);

Result<PropertyList::Dictionary> dictionaryFromNode(plist_t node) {
  PropertyList::Dictionary entries;
  plist_dict_iter iterator = nullptr;
  plist_dict_new_iter(node, &iterator);
  Malloced<void> ownedIterator(iterator);
  for (;;) {
    char* rawKey = nullptr;
    plist_t value = nullptr;
    plist_dict_next_item(node, iterator, &rawKey, &value);
    Malloced<char> key(rawKey);
    if (value == nullptr) break;
    auto entry = fromNode(value);
    if (!entry) return Error{"key \"" + std::string(key.get()) + "\": " + entry.error()};
    entries.insert_or_assign(std::string(key.get()), std::move(entry).value());
  }
  return entries;
}

Result<PropertyList> fromNode(plist_t node) {
  switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
      uint8_t value = 0;
      plist_get_bool_val(node, &value);
      return PropertyList(value != 0);
    }
    case PLIST_UINT: {
      // libplist keeps every integer in 64 unsigned bits; negative ones come back two's complement.
      uint64_t value = 0;
      plist_get_uint_val(node, &value);
      return PropertyList(static_cast<int64_t>(value));
    }
    case PLIST_REAL: {
      double value = 0;
      plist_get_real_val(node, &value);
      return PropertyList(value);
    }
    case PLIST_STRING: {
      uint64_t length = 0;
      const char* text = plist_get_string_ptr(node, &length);
      return PropertyList(std::string(text, length));
    }
    case PLIST_DATA: {
      uint64_t length = 0;
      const auto* bytes = reinterpret_cast<const uint8_t*>(plist_get_data_ptr(node, &length));
      return PropertyList::fromData(PropertyList::Data(bytes, bytes + length));
    }
    case PLIST_DATE: {
      int32_t seconds = 0;
      int32_t microseconds = 0;
      plist_get_date_val(node, &seconds, &microseconds);
      return PropertyList::fromDate(seconds + microseconds / 1e6);
    }
    case PLIST_ARRAY: {
      PropertyList::Array items;
      for (uint32_t i = 0, count = plist_array_get_size(node); i < count; ++i) {
        auto item = fromNode(plist_array_get_item(node, i));
        if (!item) return Error{"item " + std::to_string(i) + ": " + item.error()};
        items.push_back(std::move(item).value());
      }
      return PropertyList(std::move(items));
    }
    case PLIST_DICT: {
      auto entries = dictionaryFromNode(node);
      if (!entries) return Error{entries.error()};
      return PropertyList(std::move(entries).value());
    }
    default:
      return Error{"a value of a kind property lists do not hold here (uid or key)"};
  }
}

}  // namespace

PropertyList::PropertyList(Array value) : value_(std::make_shared<const Array>(std::move(value))) {}

PropertyList::PropertyList(Dictionary value) : value_(std::make_shared<const Dictionary>(std::move(value))) {}

PropertyList PropertyList::fromData(Data bytes) {
  return PropertyList(Value(std::move(bytes)));
}

PropertyList PropertyList::fromDate(double secondsSinceReferenceDate) {
  return PropertyList(Value(Date{secondsSinceReferenceDate}));
}

std::optional<bool> PropertyList::boolValue() const {
  if (const auto* value = std::get_if<bool>(&value_)) return *value;
  if (const auto* value = std::get_if<int64_t>(&value_)) return *value != 0;
  if (const auto* value = std::get_if<double>(&value_)) return *value != 0;
  if (const auto* value = string()) return textBoolValue(*value);
  return std::nullopt;
}

std::optional<int64_t> PropertyList::integerValue() const {
  if (const auto* value = std::get_if<bool>(&value_)) return *value ? 1 : 0;
  if (const auto* value = std::get_if<int64_t>(&value_)) return *value;
  if (const auto* value = std::get_if<double>(&value_)) return saturatingInteger(*value);
  if (const auto* value = string()) return textIntegerValue(*value);
  return std::nullopt;
}

std::optional<double> PropertyList::doubleValue() const {
  if (const auto* value = std::get_if<bool>(&value_)) return *value ? 1.0 : 0.0;
  if (const auto* value = std::get_if<int64_t>(&value_)) return static_cast<double>(*value);
  if (const auto* value = std::get_if<double>(&value_)) return *value;
  if (const auto* value = string()) return textDoubleValue(*value);
  return std::nullopt;
}

std::optional<double> PropertyList::date() const {
  if (const auto* value = std::get_if<Date>(&value_)) return value->secondsSinceReferenceDate;
  return std::nullopt;
}

const PropertyList::Array* PropertyList::array() const {
  const auto* value = std::get_if<std::shared_ptr<const Array>>(&value_);
  return value != nullptr ? value->get() : nullptr;
}

const PropertyList::Dictionary* PropertyList::dictionary() const {
  const auto* value = std::get_if<std::shared_ptr<const Dictionary>>(&value_);
  return value != nullptr ? value->get() : nullptr;
}

const PropertyList* PropertyList::operator[](std::string_view key) const {
  const Dictionary* entries = dictionary();
  if (entries == nullptr) return nullptr;
  auto entry = entries->find(key);
  return entry != entries->end() ? &entry->second : nullptr;
}

namespace {

Result<Node> parseNode(std::span<const uint8_t> bytes) {
  if (bytes.empty()) return Error{"empty input"};
  if (bytes.size() > std::numeric_limits<uint32_t>::max()) return Error{"input too large"};
  const auto* text = reinterpret_cast<const char*>(bytes.data());
  const auto length = static_cast<uint32_t>(bytes.size());
  plist_t parsed = nullptr;
  plist_from_memory(text, length, &parsed);
  Node root(parsed);
  if (root == nullptr) {
    // libplist reports no position; say at least which format failed.
    return Error{plist_is_binary(text, length) != 0
                     ? "malformed binary property list"
                     : "not a property list (malformed XML or unknown format)"};
  }
  return root;
}

}  // namespace

Result<PropertyList> PropertyList::parse(std::span<const uint8_t> bytes) {
  auto root = parseNode(bytes);
  if (!root) return Error{root.error()};
  return fromNode(root->get());
}

Result<PropertyList> PropertyList::parse(std::string_view bytes) {
  return parse(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}

namespace {

// Opened without waiting: a FIFO at a settings path must not hold the process up until someone
// writes to it.
constexpr int kReadFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;

// Reads the file to its end and closes it. A read of a regular file that returns less than it was
// asked for has reached the end, so a settings file takes one read: these files are read on every
// layout pass.
Result<std::vector<uint8_t>> readAndClose(int fd) {
  std::vector<uint8_t> bytes;
  uint8_t buffer[16384];
  ssize_t count;
  while ((count = read(fd, buffer, sizeof buffer)) > 0) {
    bytes.insert(bytes.end(), buffer, buffer + count);
    if (static_cast<size_t>(count) < sizeof buffer) break;
  }
  const int readError = errno;
  close(fd);
  if (count < 0) return Error{std::strerror(readError)};
  return bytes;
}

}  // namespace

Result<PropertyList> PropertyList::readFile(const std::filesystem::path& hostPath) {
  auto failure = [&](const std::string& what) { return Error{hostPath.string() + ": " + what}; };
  const int fd = open(hostPath.c_str(), kReadFlags);
  if (fd < 0) return failure(std::strerror(errno));
  auto bytes = readAndClose(fd);
  if (!bytes) return failure(bytes.error());
  auto parsed = parse(*bytes);
  if (!parsed) return failure(parsed.error());
  return parsed;
}

std::optional<PropertyList::Dictionary> PropertyList::dictionaryWithContentsOfFile(
    std::string_view devicePath) {
  const int fd = DeviceFileSystem::open(devicePath, kReadFlags);
  if (fd < 0) return std::nullopt;
  auto bytes = readAndClose(fd);
  if (!bytes) return std::nullopt;
  // Built straight from the parsed nodes: these files are read on every layout pass.
  auto root = parseNode(*bytes);
  if (!root || plist_get_node_type(root->get()) != PLIST_DICT) return std::nullopt;
  auto entries = dictionaryFromNode(root->get());
  if (!entries) return std::nullopt;
  return std::move(entries).value();
}

namespace {

Node toNode(const PropertyList& value) {
  if (const auto* entries = value.dictionary()) {
    Node node(plist_new_dict());
    for (const auto& [key, entry] : *entries)
      plist_dict_set_item(node.get(), key.c_str(), toNode(entry).release());
    return node;
  }
  if (const auto* items = value.array()) {
    Node node(plist_new_array());
    for (const auto& item : *items) plist_array_append_item(node.get(), toNode(item).release());
    return node;
  }
  if (const auto* text = value.string()) return Node(plist_new_string(text->c_str()));
  if (const auto* bytes = value.data()) {
    return Node(plist_new_data(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
  }
  if (auto seconds = value.date()) {
    double whole = std::floor(*seconds);
    return Node(plist_new_date(static_cast<int32_t>(whole), static_cast<int32_t>((*seconds - whole) * 1e6)));
  }
  if (value.isBool()) return Node(plist_new_bool(*value.boolValue()));
  if (value.isInteger()) return Node(plist_new_uint(static_cast<uint64_t>(*value.integerValue())));
  return Node(plist_new_real(*value.doubleValue()));
}

}  // namespace

std::string PropertyList::toXml() const {
  Node node = toNode(*this);
  char* text = nullptr;
  uint32_t length = 0;
  plist_to_xml(node.get(), &text, &length);
  std::string xml(text, length);
  plist_to_xml_free(text);
  return xml;
}

std::vector<uint8_t> PropertyList::toBinary() const {
  Node node = toNode(*this);
  char* bytes = nullptr;
  uint32_t length = 0;
  plist_to_bin(node.get(), &bytes, &length);
  std::vector<uint8_t> binary(bytes, bytes + length);
  plist_to_bin_free(bytes);
  return binary;
}

bool PropertyList::operator==(const PropertyList& other) const {
  if (value_.index() != other.value_.index()) return false;
  if (const Array* items = array()) return *items == *other.array();
  if (const Dictionary* entries = dictionary()) return *entries == *other.dictionary();
  return value_ == other.value_;
}

}  // namespace platform::foundation

namespace platform::foundation {

std::ostream& operator<<(std::ostream& out, const PropertyList& value) {
  if (const auto* text = value.string()) return out << std::quoted(*text);
  if (const auto* bytes = value.data()) {
    out << '<';
    for (uint8_t byte : *bytes) out << "0123456789abcdef"[byte >> 4] << "0123456789abcdef"[byte & 15];
    return out << '>';
  }
  if (auto seconds = value.date()) return out << "date(" << *seconds << ')';
  if (const auto* items = value.array()) {
    out << '(';
    for (size_t i = 0; i < items->size(); ++i) out << (i > 0 ? ", " : "") << (*items)[i];
    return out << ')';
  }
  if (const auto* entries = value.dictionary()) {
    out << '{';
    const char* separator = "";
    for (const auto& [key, entry] : *entries) {
      out << separator << std::quoted(key) << " = " << entry;
      separator = "; ";
    }
    return out << '}';
  }
  if (value.isBool()) return out << (*value.boolValue() ? "true" : "false");
  if (value.isInteger()) return out << *value.integerValue();
  return out << *value.doubleValue();
}

}  // namespace platform::foundation
