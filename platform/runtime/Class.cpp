#include "platform/runtime/Class.h"

#include <bit>

namespace platform::runtime {
namespace {

// Moves on whenever a method is added anywhere, which may change what a subclass's lookup finds.
uint64_t methodsGeneration = 1;

// Where a name's storage is first looked for among the recent lookups; the next few slots hold
// the names that fell on the same one. Names are literals packed side by side, so the address
// is mixed rather than cut.
constexpr size_t kRecentProbes = 4;

size_t recentSlot(std::string_view selector, size_t slots) {
  return static_cast<size_t>((reinterpret_cast<uintptr_t>(selector.data()) * 0x9E3779B97F4A7C15ULL) >> 32U) %
         slots;
}

}  // namespace

Class::Class(std::string name, Class* superclass) : name_(std::move(name)), superclass_(superclass) {}

Method* Class::ownMethod(std::string_view selector) {
  auto found = methods_.find(selector);
  return found == methods_.end() ? nullptr : &found->second;
}

const Method* Class::lookup(std::string_view selector) const {
  if (cacheGeneration_ != methodsGeneration) {
    cache_.clear();
    // Only the slots in use: while hooks go in, every lookup comes after a change.
    for (; recentUsed_ != 0; recentUsed_ &= recentUsed_ - 1) recent_[std::countr_zero(recentUsed_)] = nullptr;
    cacheGeneration_ = methodsGeneration;
  }
  const size_t home = recentSlot(selector, kRecentSlots);
  for (size_t probe = 0; probe < kRecentProbes; ++probe) {
    const auto* recent = recent_[(home + probe) % kRecentSlots];
    if (recent != nullptr && recent->first == selector) return recent->second;
  }
  auto cached = cache_.find(selector);
  if (cached == cache_.end()) {
    const Method* method = nullptr;
    for (const Class* cls = this; cls != nullptr && method == nullptr; cls = cls->superclass_) {
      auto found = cls->methods_.find(selector);
      if (found != cls->methods_.end()) method = &found->second;
    }
    cached = cache_.emplace(std::string(selector), method).first;
  }
  // A free slot near home, else home itself. Entries of cache_ stay where they are until it is
  // emptied, and the slots with it.
  size_t slot = home;
  for (size_t probe = 0; probe < kRecentProbes; ++probe) {
    const size_t candidate = (home + probe) % kRecentSlots;
    if (recent_[candidate] == nullptr) {
      slot = candidate;
      break;
    }
  }
  recent_[slot] = &*cached;
  recentUsed_ |= uint32_t{1} << slot;
  return cached->second;
}

bool Class::isSubclassOf(const Class* other) const {
  for (const Class* cls = this; cls != nullptr; cls = cls->superclass_) {
    if (cls == other) return true;
  }
  return false;
}

Method::ErasedImp Class::addMethod(Method method, bool replace) {
  if (Method* own = ownMethod(method.name)) {
    // Replaced in place: lookups cached anywhere still point at this entry, so no cache moves on.
    const Method::ErasedImp previous = own->imp;
    if (replace) own->imp = method.imp;
    return previous;
  }
  std::string key = method.name;
  methods_.emplace(std::move(key), std::move(method));
  ++methodsGeneration;
  return nullptr;
}

}  // namespace platform::runtime
