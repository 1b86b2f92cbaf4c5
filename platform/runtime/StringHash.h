#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace platform::runtime {

// Lets string-keyed hash maps be searched with a string_view, without building a string.
struct StringHash {
  using is_transparent = void;
  size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

}  // namespace platform::runtime
