#include "platform/foundation/NSCharacterSet.h"

#include <algorithm>
#include <optional>

#include "platform/runtime/Runtime.h"

namespace platform::foundation {
namespace {

bool isContinuationByte(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// The character whose UTF-8 encoding is exactly the bytes, or nullopt.
std::optional<char32_t> decode(std::string_view bytes) {
  if (bytes.empty()) return std::nullopt;
  const auto lead = static_cast<unsigned char>(bytes[0]);
  size_t length = lead < 0x80             ? 1
                  : (lead & 0xE0) == 0xC0 ? 2
                  : (lead & 0xF0) == 0xE0 ? 3
                  : (lead & 0xF8) == 0xF0 ? 4
                                          : 0;
  if (length == 0 || length != bytes.size()) return std::nullopt;
  char32_t character = length == 1 ? lead : lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (!isContinuationByte(byte)) return std::nullopt;
    character = (character << 6) | (byte & 0x3F);
  }
  return character;
}

// The length of the UTF-8 sequence that the lead byte starts; 1 for a stray byte.
size_t sequenceLength(unsigned char lead) {
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;
}

}  // namespace

runtime::Class* NSCharacterSet::runtimeClass() {
  return runtime::objc_registerClass("NSCharacterSet", &NSObject::runtimeClass);
}

std::shared_ptr<NSCharacterSet> NSCharacterSet::whitespaceAndNewlineCharacterSet() {
  static const auto set = NSCharacterSet::alloc(std::vector<Range>{
      {0x0009, 0x000D},
      {0x0020, 0x0020},
      {0x0085, 0x0085},
      {0x00A0, 0x00A0},
      {0x1680, 0x1680},
      {0x2000, 0x200A},
      {0x2028, 0x2029},
      {0x202F, 0x202F},
      {0x205F, 0x205F},
      {0x3000, 0x3000},
  });
  return set;
}

bool NSCharacterSet::characterIsMember(char32_t character) const {
  return std::ranges::any_of(ranges_, [character](const Range& range) {
    return range.first <= character && character <= range.second;
  });
}

std::string stringByTrimmingCharactersInSet(std::string_view text, const NSCharacterSet& set) {
  auto isMember = [&set](std::string_view bytes) {
    auto character = decode(bytes);
    return character && set.characterIsMember(*character);
  };
  size_t begin = 0;
  while (begin < text.size()) {
    const size_t length =
        std::min(sequenceLength(static_cast<unsigned char>(text[begin])), text.size() - begin);
    if (!isMember(text.substr(begin, length))) break;
    begin += length;
  }
  size_t end = text.size();
  while (end > begin) {
    size_t start = end - 1;
    while (start > begin && end - start < 4 && isContinuationByte(static_cast<unsigned char>(text[start])))
      --start;
    if (!isMember(text.substr(start, end - start))) break;
    end = start;
  }
  return std::string(text.substr(begin, end - begin));
}

}  // namespace platform::foundation
