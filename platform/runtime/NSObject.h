#pragma once

#include <memory>
#include <string_view>

#include "platform/runtime/RuntimeClass.h"
#include "platform/runtime/Selector.h"

namespace platform::runtime {

class Class;

// The root class. Every object the runtime can send messages to derives from it and is owned
// through std::shared_ptr; `isa` names the runtime class whose method table a send consults.
class NSObject : public std::enable_shared_from_this<NSObject> {
 public:
  NSObject() = default;
  NSObject(const NSObject&) = delete;
  NSObject& operator=(const NSObject&) = delete;
  virtual ~NSObject() = default;

  static Class* runtimeClass();
  // Each subclass that the runtime knows returns its own runtimeClass() here.
  virtual Class* isa() const { return runtimeClass(); }

  bool respondsToSelector(std::string_view selector) const;
  template <typename Signature>
  bool respondsToSelector(const Selector<Signature>& selector) const {
    return respondsToSelector(std::string_view(selector.name()));
  }
  bool isKindOfClass(const Class* cls) const;

  // A strong reference to this object, or null when no shared_ptr owns it (yet).
  template <typename T = NSObject>
  std::shared_ptr<T> retained() {
    return std::static_pointer_cast<T>(weak_from_this().lock());
  }
};

}  // namespace platform::runtime
