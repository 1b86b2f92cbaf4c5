#include "platform/foundation/NSString.h"

#include <charconv>

namespace platform::foundation {

float floatValue(std::string_view text) {
  size_t start = text.find_first_not_of(" \t\n\r\f\v");
  if (start == std::string_view::npos) return 0;
  text.remove_prefix(start);
  if (text.starts_with('+')) text.remove_prefix(1);  // from_chars takes no plus sign
  float value = 0;
  auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return result.ec == std::errc() ? value : 0;
}

}  // namespace platform::foundation
