#include "platform/foundation/PropertyListCheck.h"

#include <plist/plist.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <string_view>
#include <utility>
#include <vector>

namespace platform::foundation {
namespace {

constexpr size_t kHeaderSize = 8;
constexpr size_t kTrailerSize = 32;

// A big-endian unsigned number of `width` bytes at `at`; nullopt past the end.
std::optional<uint64_t> readNumber(std::span<const uint8_t> bytes, uint64_t at, size_t width) {
  if (at > bytes.size() || bytes.size() - at < width || width > 8) return std::nullopt;
  uint64_t value = 0;
  for (size_t i = 0; i < width; ++i) value = value << 8 | bytes[at + i];
  return value;
}

struct Object {
  uint8_t marker;  // the object's first byte
  uint8_t kind;    // the marker's high nibble
  uint64_t count;  // items, characters or bytes
  uint64_t body;   // where the contents start
};

std::optional<Object> readObject(std::span<const uint8_t> bytes, uint64_t at, uint64_t end) {
  if (at < kHeaderSize || at >= end) return std::nullopt;
  const uint8_t marker = bytes[at];
  Object object{marker, static_cast<uint8_t>(marker >> 4), static_cast<uint64_t>(marker & 0x0F), at + 1};
  if (object.count == 0x0F && object.kind != 0x0 && object.kind != 0x1 && object.kind != 0x2) {
    // A count too large for the marker follows as an integer object.
    if (object.body >= end || (bytes[object.body] & 0xF0) != 0x10) return std::nullopt;
    const size_t width = size_t{1} << (bytes[object.body] & 0x0F);
    auto count = readNumber(bytes, object.body + 1, width);
    if (!count) return std::nullopt;
    object.count = *count;
    object.body += 1 + width;
  }
  return object;
}

bool holdsNul(std::span<const uint8_t> bytes, const Object& key, uint64_t end) {
  const uint64_t unit = key.kind == 0x6 ? 2 : 1;
  if (key.count > (end - key.body) / unit) return true;  // runs past the objects: refused as well
  for (uint64_t i = 0; i < key.count; ++i) {
    const uint64_t at = key.body + i * unit;
    if (bytes[at] == 0 && (unit == 1 || bytes[at + 1] == 0)) return true;
  }
  return false;
}

// A date is a big-endian double of seconds; one that is NaN or beyond 32-bit seconds is
// written back clamped into the copy.
void clampDate(std::span<const uint8_t> bytes, uint64_t at, uint64_t end, std::vector<uint8_t>& repaired) {
  if (at > end || end - at < 8) return;  // malformed: left to the parser
  const auto seconds = std::bit_cast<double>(*readNumber(bytes, at, 8));
  constexpr double kEarliest = std::numeric_limits<int32_t>::min();
  constexpr double kLatest = std::numeric_limits<int32_t>::max();
  if (seconds >= kEarliest && seconds <= kLatest) return;
  const double clamped = std::isnan(seconds) ? 0 : std::clamp(seconds, kEarliest, kLatest);
  if (repaired.empty()) repaired.assign(bytes.begin(), bytes.end());
  const auto value = std::bit_cast<uint64_t>(clamped);
  for (size_t i = 0; i < 8; ++i) repaired[at + i] = static_cast<uint8_t>(value >> (56 - 8 * i));
}

}  // namespace

std::optional<std::string> PropertyListCheck::problem(std::span<const uint8_t> bytes,
                                                      std::vector<uint8_t>& repaired) {
  repaired.clear();
  if (bytes.size() > UINT32_MAX) return std::nullopt;  // refused by the parser anyway
  const bool binary =
      plist_is_binary(reinterpret_cast<const char*>(bytes.data()), static_cast<uint32_t>(bytes.size())) != 0;
  return binary ? problemInBinary(bytes, repaired) : problemInXml(bytes);
}

std::optional<std::string> PropertyListCheck::problemInBinary(std::span<const uint8_t> bytes,
                                                              std::vector<uint8_t>& repaired) {
  const std::string malformed = "malformed binary property list";
  if (bytes.size() < kHeaderSize + kTrailerSize) return malformed;
  const uint64_t trailer = bytes.size() - kTrailerSize;
  const size_t offsetWidth = bytes[trailer + 6];
  const size_t referenceWidth = bytes[trailer + 7];
  const uint64_t objects = *readNumber(bytes, trailer + 8, 8);
  const uint64_t top = *readNumber(bytes, trailer + 16, 8);
  const uint64_t table = *readNumber(bytes, trailer + 24, 8);
  if (offsetWidth < 1 || offsetWidth > 8 || referenceWidth < 1 || referenceWidth > 8) return malformed;
  if (table < kHeaderSize || table > trailer || objects == 0 || top >= objects ||
      objects > (trailer - table) / offsetWidth)
    return malformed;

  auto objectAt = [&](uint64_t reference) -> std::optional<Object> {
    if (reference >= objects) return std::nullopt;
    auto offset = readNumber(bytes, table + reference * offsetWidth, offsetWidth);
    if (!offset) return std::nullopt;
    return readObject(bytes, *offset, table);
  };
  auto referenceAt = [&](uint64_t at) { return readNumber(bytes, at, referenceWidth); };

  // Walked without recursion, each shared object as often as the parsed tree will hold it.
  std::vector<std::pair<uint64_t, size_t>> pending{{top, 1}};
  size_t values = 0;
  while (!pending.empty()) {
    const auto [reference, depth] = pending.back();
    pending.pop_back();
    if (depth > kMaxDepth) return "nested deeper than " + std::to_string(kMaxDepth) + " levels";
    if (++values > kMaxValues) return "more than " + std::to_string(kMaxValues) + " values";
    auto object = objectAt(reference);
    if (!object) return malformed;
    // The marker itself: the byte before the body is a count's last byte when one follows it.
    if (object->marker == 0x33) {
      clampDate(bytes, object->body, table, repaired);
      continue;
    }
    const bool isArray = object->kind == 0xA || object->kind == 0xC;
    const bool isDictionary = object->kind == 0xD;
    if (!isArray && !isDictionary) continue;
    const uint64_t references = isDictionary ? 2 * object->count : object->count;
    if (object->count > table || references > (table - object->body) / referenceWidth) return malformed;
    for (uint64_t i = 0; i < object->count; ++i) {
      auto item = referenceAt(object->body + i * referenceWidth);
      if (!item) return malformed;
      if (isDictionary) {
        auto key = objectAt(*item);
        if (!key) return malformed;
        if ((key->kind == 0x5 || key->kind == 0x6) && holdsNul(bytes, *key, table))
          return "a dictionary key holds U+0000";
        item = referenceAt(object->body + (object->count + i) * referenceWidth);
        if (!item) return malformed;
      }
      pending.emplace_back(*item, depth + 1);
    }
  }
  return std::nullopt;
}

std::optional<std::string> PropertyListCheck::problemInXml(std::span<const uint8_t> bytes) {
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  // Only the nesting is counted: markup that hides tags (comments, declarations, character data)
  // is skipped as the parser skips it, and anything else malformed is left to the parser.
  auto skipPast = [&](size_t at, std::string_view end) {
    const size_t found = text.find(end, at);
    return found == std::string_view::npos ? text.size() : found + end.size();
  };
  size_t depth = 0;
  for (size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at)) {
    const std::string_view rest = text.substr(at);
    if (rest.starts_with("<!--")) {
      at = skipPast(at + 4, "-->");
    } else if (rest.starts_with("<![CDATA[")) {
      at = skipPast(at + 9, "]]>");
    } else if (rest.starts_with("<?")) {
      at = skipPast(at + 2, "?>");
    } else if (rest.starts_with("<!")) {
      at = skipPast(at + 2, ">");
    } else {
      const bool closing = rest.starts_with("</");
      const size_t nameStart = closing ? 2 : 1;
      const size_t nameEnd = rest.find_first_of(" \t\r\n/>", nameStart);
      const std::string_view name = rest.substr(nameStart, nameEnd - nameStart);
      const size_t tagEnd = skipPast(at, ">");
      const bool empty = tagEnd - at >= 2 && text[tagEnd - 2] == '/';
      const bool container = name == "array" || name == "dict";
      if (container && closing && depth > 0) --depth;
      if (container && !closing && !empty && ++depth > kMaxDepth)
        return "nested deeper than " + std::to_string(kMaxDepth) + " levels";
      at = tagEnd;
    }
  }
  return std::nullopt;
}

}  // namespace platform::foundation
