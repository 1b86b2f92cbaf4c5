#pragma once

#include <concepts>
#include <cstdint>
#include <string>
#include <type_traits>

namespace platform::runtime {

class NSObject;
using id = NSObject*;

// The runtime's one-letter type code of a C++ parameter or result type.
// NOLINTBEGIN(bugprone-sizeof-expression): sizeof is asked of integral types only, though the
// check sees it in the instantiations for pointers too.
template <typename T>
constexpr char typeCode() {
  using U = std::remove_cvref_t<T>;
  if constexpr (std::is_void_v<U>)
    return 'v';
  else if constexpr (std::is_same_v<U, bool>)
    return 'B';
  else if constexpr (std::is_same_v<U, float>)
    return 'f';
  else if constexpr (std::is_same_v<U, double>)
    return 'd';
  else if constexpr (std::is_integral_v<U> && sizeof(U) == 4)
    return std::is_signed_v<U> ? 'i' : 'I';
  else if constexpr (std::is_integral_v<U> && sizeof(U) == 8)
    return std::is_signed_v<U> ? 'q' : 'Q';
  else
    return '@';
}
// NOLINTEND(bugprone-sizeof-expression)

template <typename Signature>
class Selector;

// A selector keeps its ObjC name and its C++ signature, so a send through the runtime is
// checked by the compiler, and an implementation of another signature is caught at run time.
template <typename R, typename... Args>
class Selector<R(Args...)> {
 public:
  using Signature = R(Args...);
  using Imp = R (*)(id self, Args... args);

  constexpr explicit Selector(const char* name) : name_(name) {}

  constexpr const char* name() const { return name_; }

  // "v@:" for no argument and no result, "v@:@" for one object, and so on.
  static std::string encoding() {
    std::string types{typeCode<R>(), '@', ':'};
    (types.push_back(typeCode<Args>()), ...);
    return types;
  }

 private:
  const char* name_;
};

// The selectors that target-action, timers and delayed performs send: their methods take the
// sender (the timer, the object) or nothing.
template <typename Signature>
concept Performable = std::same_as<Signature, void()> || std::same_as<Signature, void(id)>;

}  // namespace platform::runtime
