#include "platform/foundation/PropertyList.h"

#include <fcntl.h>
#include <plist/plist.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
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
#include "platform/foundation/NSString.h"
#include "platform/foundation/PropertyListCheck.h"

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

// The depth is checked before libplist parses; it is checked again here because this recursion is
// what a deeper tree would overflow.
Result<PropertyList> fromNode(plist_t node, size_t depth);

Result<PropertyList::Dictionary> dictionaryFromNode(plist_t node, size_t depth) {
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
    auto entry = fromNode(value, depth + 1);
    if (!entry) return Error{"key \"" + std::string(key.get()) + "\": " + entry.error()};
    entries.insert_or_assign(std::string(key.get()), std::move(entry).value());
  }
  return entries;
}

Result<PropertyList> fromNode(plist_t node, size_t depth) {
  if (depth > PropertyListCheck::kMaxDepth)
    return Error{"nested deeper than " + std::to_string(PropertyListCheck::kMaxDepth) + " levels"};
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
      return PropertyList::fromDate(seconds + microseconds / 1e6);  // in range: see PropertyListCheck
    }
    case PLIST_ARRAY: {
      PropertyList::Array items;
      for (uint32_t i = 0, count = plist_array_get_size(node); i < count; ++i) {
        auto item = fromNode(plist_array_get_item(node, i), depth + 1);
        if (!item) return Error{"item " + std::to_string(i) + ": " + item.error()};
        items.push_back(std::move(item).value());
      }
      return PropertyList(std::move(items));
    }
    case PLIST_DICT: {
      auto entries = dictionaryFromNode(node, depth);
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
  std::vector<uint8_t> repaired;
  if (auto problem = PropertyListCheck::problem(bytes, repaired)) return Error{*problem};
  if (!repaired.empty()) bytes = repaired;
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
  return fromNode(root->get(), 1);
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
  ssize_t count = 0;
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

Result<PropertyList> PropertyList::readDescriptor(int fd) {
  auto bytes = readAndClose(fd);
  if (!bytes) return Error{bytes.error()};
  return parse(*bytes);
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
  auto entries = dictionaryFromNode(root->get(), 1);
  if (!entries) return std::nullopt;
  return std::move(entries).value();
}

namespace {

// libplist holds a date in 32-bit seconds; a date beyond them is stored as the nearest it holds.
double storableDate(double seconds) {
  constexpr double kEarliest = std::numeric_limits<int32_t>::min();
  constexpr double kLatest = std::numeric_limits<int32_t>::max();
  return std::isnan(seconds) ? 0 : std::clamp(seconds, kEarliest, kLatest);
}

Node dateNode(double secondsSinceReferenceDate) {
  const double seconds = storableDate(secondsSinceReferenceDate);
  const double whole = std::floor(seconds);
  const auto microseconds = std::min(static_cast<int32_t>((seconds - whole) * 1e6), int32_t{999999});
  return Node(plist_new_date(static_cast<int32_t>(whole), microseconds));
}

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
  if (auto seconds = value.date()) return dateNode(*seconds);
  if (value.isBool()) return Node(plist_new_bool(*value.boolValue()));
  if (value.isInteger()) return Node(plist_new_uint(static_cast<uint64_t>(*value.integerValue())));
  return Node(plist_new_real(*value.doubleValue()));
}

// The binary form, written here rather than by libplist: libplist stops at a NUL when it makes a
// string node, and reads a string of single bytes only up to one, so a string holding NUL goes
// out as UTF-16, which libplist reads whole.
class BinaryWriter {
 public:
  explicit BinaryWriter(const PropertyList& top) { add(top); }

  std::vector<uint8_t> bytes() {
    const uint64_t count = objects_.size();
    referenceWidth_ = count <= 0xFF ? 1 : count <= 0xFFFF ? 2 : 4;
    out_.assign({'b', 'p', 'l', 'i', 's', 't', '0', '0'});
    std::vector<uint64_t> offsets;
    offsets.reserve(count);
    for (size_t i = 0; i < count; ++i) {
      offsets.push_back(out_.size());
      write(i);
    }
    const uint64_t table = out_.size();
    const size_t offsetWidth = table <= 0xFF ? 1 : table <= 0xFFFF ? 2 : table <= 0xFFFFFFFF ? 4 : 8;
    for (uint64_t offset : offsets) number(offset, offsetWidth);
    out_.insert(out_.end(), 6, 0);
    out_.push_back(static_cast<uint8_t>(offsetWidth));
    out_.push_back(static_cast<uint8_t>(referenceWidth_));
    number(count, 8);
    number(0, 8);  // the top object is the first
    number(table, 8);
    return std::move(out_);
  }

 private:
  // An object is a value, or a dictionary key (value null) written as a string.
  struct Object {
    const PropertyList* value;
    const std::string* key;
    std::vector<uint64_t> references;
  };

  uint64_t add(const PropertyList& value) {
    const uint64_t index = objects_.size();
    objects_.push_back({&value, nullptr, {}});
    std::vector<uint64_t> references;
    if (const auto* items = value.array()) {
      for (const auto& item : *items) references.push_back(add(item));
    } else if (const auto* entries = value.dictionary()) {
      for (const auto& entry : *entries) {
        references.push_back(objects_.size());
        objects_.push_back({nullptr, &entry.first, {}});
      }
      for (const auto& entry : *entries) references.push_back(add(entry.second));
    }
    objects_[index].references = std::move(references);
    return index;
  }

  void number(uint64_t value, size_t width) {
    for (size_t i = width; i-- > 0;) out_.push_back(static_cast<uint8_t>(value >> (8 * i)));
  }
  void marker(uint8_t kind, uint64_t count) {
    if (count < 15) {
      out_.push_back(static_cast<uint8_t>(kind << 4 | count));
      return;
    }
    out_.push_back(static_cast<uint8_t>(kind << 4 | 0x0F));
    out_.push_back(0x13);
    number(count, 8);
  }
  void real(uint8_t marker, double value) {
    out_.push_back(marker);
    number(std::bit_cast<uint64_t>(value), 8);
  }
  void string(const std::string& text) {
    if (std::all_of(text.begin(), text.end(), [](char c) { return c > 0; })) {
      marker(0x5, text.size());
      out_.insert(out_.end(), text.begin(), text.end());
      return;
    }
    const std::u16string units = utf16(text);
    marker(0x6, units.size());
    for (char16_t unit : units) number(unit, 2);
  }

  // Text that is not UTF-8 only comes from outside; each byte that breaks it reads as U+FFFD.
  static std::u16string utf16(std::string_view text) {
    std::u16string units;
    for (size_t i = 0; i < text.size();) {
      const auto lead = static_cast<unsigned char>(text[i]);
      const size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
      char32_t codePoint = 0xFFFD;
      if (i + length <= text.size() && isValidUTF8(text.substr(i, length))) {
        codePoint = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k) codePoint = codePoint << 6 | (text[i + k] & 0x3F);
        i += length;
      } else {
        ++i;
      }
      if (codePoint >= 0x10000) {
        units.push_back(static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10)));
        units.push_back(static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF)));
      } else {
        units.push_back(static_cast<char16_t>(codePoint));
      }
    }
    return units;
  }

  void write(size_t index) {
    const Object& object = objects_[index];
    if (object.key != nullptr) return string(*object.key);
    const PropertyList& value = *object.value;
    if (value.isBool()) {
      out_.push_back(*value.boolValue() ? 0x09 : 0x08);
    } else if (value.isInteger()) {
      const auto integer = static_cast<uint64_t>(*value.integerValue());
      const size_t width = integer <= 0xFF ? 1 : integer <= 0xFFFF ? 2 : integer <= 0xFFFFFFFF ? 4 : 8;
      out_.push_back(static_cast<uint8_t>(0x10 | std::countr_zero(width)));
      number(integer, width);
    } else if (value.isReal()) {
      real(0x23, *value.doubleValue());
    } else if (auto date = value.date()) {
      real(0x33, storableDate(*date));
    } else if (const auto* data = value.data()) {
      marker(0x4, data->size());
      out_.insert(out_.end(), data->begin(), data->end());
    } else if (const auto* text = value.string()) {
      string(*text);
    } else {
      const bool isArray = value.isArray();
      marker(isArray ? 0xA : 0xD, isArray ? object.references.size() : object.references.size() / 2);
      for (uint64_t reference : object.references) number(reference, referenceWidth_);
    }
  }

  std::vector<Object> objects_;
  std::vector<uint8_t> out_;
  size_t referenceWidth_ = 1;
};

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
  return BinaryWriter(*this).bytes();
}

namespace {

// XML 1.0 has no way to write most control characters, NUL included, nor U+FFFE and U+FFFF.
bool fitsXmlText(std::string_view text) {
  const bool control = std::any_of(text.begin(), text.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r';
  });
  // In valid UTF-8 these bytes are U+FFFE and U+FFFF and nothing else.
  return !control && isValidUTF8(text) && text.find("\xEF\xBF\xBE") == std::string_view::npos &&
         text.find("\xEF\xBF\xBF") == std::string_view::npos;
}

}  // namespace

bool PropertyList::fitsXml() const {
  if (const auto* text = string()) return fitsXmlText(*text);
  if (const Array* items = array())
    return std::all_of(items->begin(), items->end(), [](const auto& item) { return item.fitsXml(); });
  if (const Dictionary* entries = dictionary()) {
    return std::all_of(entries->begin(), entries->end(),
                       [](const auto& entry) { return fitsXmlText(entry.first) && entry.second.fitsXml(); });
  }
  return true;
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
