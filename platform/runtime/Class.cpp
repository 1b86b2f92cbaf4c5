#include "platform/runtime/Class.h"

namespace platform::runtime {
namespace {

// Moves on whenever a method is added anywhere, which may change what a subclass's lookup finds.
uint64_t methodsGeneration = 1;

size_t recentSlot(std::string_view selector) {
  return (reinterpret_cast<uintptr_t>(selector.data()) >> 3) % 16;
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
    recent_.fill(nullptr);
    cacheGeneration_ = methodsGeneration;
  }
  const Method*& recent = recent_[recentSlot(selector)];
  if (recent != nullptr && recent->name == selector) return recent;
  if (auto cached = cache_.find(selector); cached != cache_.end()) {
    if (cached->second != nullptr) recent = cached->second;
    return cached->second;
  }
  const Method* method = nullptr;
  for (const Class* cls = this; cls != nullptr && method == nullptr; cls = cls->superclass_) {
    auto found = cls->methods_.find(selector);
    if (found != cls->methods_.end()) method = &found->second;
  }
  cache_.emplace(std::string(selector), method);
  if (method != nullptr) recent = method;
  return method;
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
