#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/runtime/NSObject.h"

namespace platform::foundation {

// A set of Unicode characters. Immutable.
class NSCharacterSet : public runtime::NSObject {
  RUNTIME_CLASS_WITH_CONSTRUCTORS(NSCharacterSet)

 public:
  using Range = std::pair<char32_t, char32_t>;  // first and last character

  // Unicode's space separators (general category Zs), line and paragraph separators (Zl, Zp),
  // U+0009 to U+000D and U+0085.
  static std::shared_ptr<NSCharacterSet> whitespaceAndNewlineCharacterSet();

  bool characterIsMember(char32_t character) const;

 private:
  explicit NSCharacterSet(std::vector<Range> ranges) : ranges_(std::move(ranges)) {}

  std::vector<Range> ranges_;
};

// -[NSString stringByTrimmingCharactersInSet:] on UTF-8 text: the text without the set's
// characters at either end. Bytes that are no UTF-8 are no member of any set.
std::string stringByTrimmingCharactersInSet(std::string_view text, const NSCharacterSet& set);

}  // namespace platform::foundation
