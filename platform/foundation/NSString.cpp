#include "platform/foundation/NSString.h"

#include <charconv>
#include <limits>

namespace platform::foundation {
namespace {

// The text without its leading blanks, as NSString's readings skip them.
std::string_view withoutLeadingBlanks(std::string_view text) {
  size_t start = text.find_first_not_of(" \t\n\r\f\v");
  return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

}  // namespace

float floatValue(std::string_view text) {
  text = withoutLeadingBlanks(text);
  if (text.starts_with('+')) text.remove_prefix(1);  // from_chars takes no plus sign
  float value = 0;
  auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return result.ec == std::errc() ? value : 0;
}

int64_t integerValue(std::string_view text) {
  text = withoutLeadingBlanks(text);
  const bool negative = text.starts_with('-');
  if (text.starts_with('+')) text.remove_prefix(1);  // from_chars takes no plus sign
  int64_t value = 0;
  auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    return negative ? std::numeric_limits<int64_t>::min() : std::numeric_limits<int64_t>::max();
  }
  return result.ec == std::errc() ? value : 0;
}

size_t length(std::string_view text) {
  size_t units = 0;
  for (unsigned char byte : text) {
    if ((byte & 0xC0) == 0x80) continue;  // a continuation byte
    units += byte >= 0xF0 ? 2 : 1;        // four-byte sequences need a surrogate pair
  }
  return units;
}

bool isValidUTF8(std::string_view text) {
  const auto* byte = reinterpret_cast<const unsigned char*>(text.data());
  const auto* end = byte + text.size();
  while (byte < end) {
    const unsigned char lead = *byte++;
    if (lead < 0x80) continue;
    int more = 0;
    char32_t codePoint = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
      more = 1, codePoint = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      more = 2, codePoint = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      more = 3, codePoint = lead & 0x07, smallest = 0x10000;
    } else {
      return false;  // a continuation byte without a lead, or a lead no encoding uses
    }
    if (end - byte < more) return false;
    for (; more > 0; --more, ++byte) {
      if ((*byte & 0xC0) != 0x80) return false;
      codePoint = codePoint << 6 | (*byte & 0x3F);
    }
    if (codePoint < smallest || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
      return false;
  }
  return true;
}

}  // namespace platform::foundation
