#include "platform/runtime/Class.h"

namespace platform::runtime {

Class::Class(std::string name, Class* superclass) : name_(std::move(name)), superclass_(superclass) {}

Method* Class::ownMethod(std::string_view selector) {
  auto found = methods_.find(selector);
  return found == methods_.end() ? nullptr : &found->second;
}

const Method* Class::lookup(std::string_view selector) const {
  for (const Class* cls = this; cls != nullptr; cls = cls->superclass_) {
    auto found = cls->methods_.find(selector);
    if (found != cls->methods_.end()) return &found->second;
  }
  return nullptr;
}

bool Class::isSubclassOf(const Class* other) const {
  for (const Class* cls = this; cls != nullptr; cls = cls->superclass_) {
    if (cls == other) return true;
  }
  return false;
}

bool Class::addMethod(Method method) {
  if (ownMethod(method.name) != nullptr) return false;
  std::string key = method.name;
  methods_.emplace(std::move(key), std::move(method));
  return true;
}

}  // namespace platform::runtime
