#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "platform/runtime/Method.h"
#include "platform/runtime/StringHash.h"

namespace platform::runtime {

// A runtime class: a name, a superclass and a method table keyed by selector name.
class Class {
 public:
  Class(std::string name, Class* superclass);

  const std::string& name() const { return name_; }
  Class* superclass() const { return superclass_; }

  // The class's own entry for the selector, without looking at superclasses.
  Method* ownMethod(std::string_view selector);
  // The entry that a send of the selector finds: this class first, then up the chain.
  const Method* lookup(std::string_view selector) const;

  bool isSubclassOf(const Class* other) const;

  // Puts the method into the class's own table, the one path by which adding and hooking change
  // it. A class without its own entry of that name gets this one; a class with one keeps it, with
  // the new implementation only when `replace`. Yields the implementation the class's own entry
  // had before, or null when the entry was added.
  Method::ErasedImp addMethod(Method method, bool replace);

 private:
  std::string name_;
  Class* superclass_;
  std::unordered_map<std::string, Method, StringHash, std::equal_to<>> methods_;
  // What lookups found, null for nothing: most sends reach a method of a superclass, and the chain
  // is walked once per selector rather than once per send. A method added to any class empties
  // every cache (its generation is behind); a hook that replaces an implementation in place
  // leaves the entry pointing at the same method.
  mutable std::unordered_map<std::string, const Method*, StringHash, std::equal_to<>> cache_;
  // In front of it, recent entries of cache_ by where the selector's name is stored: a send names
  // its selector from one static object every time, and this spares hashing the name, for the
  // methods found as for the selectors the class does not respond to (asked on every layout
  // pass). A hit is checked against the entry's name, so a name stored anew at the same place is
  // safe.
  static constexpr size_t kRecentSlots = 32;
  mutable std::array<const std::pair<const std::string, const Method*>*, kRecentSlots> recent_{};
  // A bit for each slot in use, so that emptying them touches only those.
  mutable uint32_t recentUsed_ = 0;
  static_assert(kRecentSlots <= 32, "one bit a slot");
  mutable uint64_t cacheGeneration_ = 0;
};

}  // namespace platform::runtime
