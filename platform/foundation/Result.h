#pragma once

#include <string>
#include <utility>
#include <variant>

namespace platform::foundation {

// Why an operation failed: what went wrong and where, in words for a person.
struct Error {
  std::string message;
};

// A value, or the error that stood in its way. Parsers and readers return one instead of
// throwing or aborting, so bad input is an ordinary outcome.
template <typename T>
class Result {
 public:
  Result(T value) : state_(std::move(value)) {}
  Result(Error error) : state_(std::move(error)) {}

  bool hasValue() const { return std::holds_alternative<T>(state_); }
  explicit operator bool() const { return hasValue(); }

  // Only when hasValue().
  const T& value() const& { return std::get<T>(state_); }
  T& value() & { return std::get<T>(state_); }
  T&& value() && { return std::get<T>(std::move(state_)); }
  const T& operator*() const& { return value(); }
  const T* operator->() const { return &value(); }

  // Only when !hasValue().
  const std::string& error() const { return std::get<Error>(state_).message; }

 private:
  std::variant<T, Error> state_;
};

}  // namespace platform::foundation
