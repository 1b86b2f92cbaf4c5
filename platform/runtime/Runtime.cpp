#include "platform/runtime/Runtime.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <unordered_map>

namespace platform::runtime {
namespace {

using ClassTable = std::unordered_map<std::string, std::unique_ptr<Class>, StringHash, std::equal_to<>>;

ClassTable& classes() {
  static ClassTable table;
  return table;
}

// Every send asks its receiver's class by name; the name comes from one literal each time, so the
// classes last asked for are kept by where their name is stored, sparing the table's hashing. A
// hit is checked against the class's own name; disposing the classes empties it.
std::array<Class*, 64> recentClasses{};

Class*& recentClass(std::string_view name) {
  return recentClasses[(reinterpret_cast<uintptr_t>(name.data()) >> 3) % recentClasses.size()];
}

}  // namespace

void fatal(const std::string& message) {
  std::fprintf(stderr, "runtime: %s\n", message.c_str());
  std::fflush(stderr);
  std::abort();
}

Class* objc_getClass(std::string_view name) {
  auto found = classes().find(name);
  return found == classes().end() ? nullptr : found->second.get();
}

Class* objc_registerClass(std::string_view name, Class* (*superclass)(),
                          const std::function<void(Class*)>& setup) {
  Class*& recent = recentClass(name);
  if (recent != nullptr && recent->name() == name) return recent;
  if (Class* existing = objc_getClass(name)) return recent = existing;
  auto cls = std::make_unique<Class>(std::string(name), superclass != nullptr ? superclass() : nullptr);
  Class* raw = cls.get();
  classes().emplace(std::string(name), std::move(cls));
  if (setup) setup(raw);
  return recent = raw;
}

void objc_disposeAllClasses() {
  recentClasses.fill(nullptr);
  classes().clear();
}

bool class_respondsToSelector(const Class* cls, std::string_view selector) {
  return cls != nullptr && cls->lookup(selector) != nullptr;
}

namespace detail {

const Method& lookupOrDie(const Class* cls, std::string_view selector, const char* receiverKind) {
  const Method* method = cls == nullptr ? nullptr : cls->lookup(selector);
  if (method == nullptr) {
    fatal("unrecognized selector " + std::string(selector) + " sent to " + receiverKind + " of " +
          (cls == nullptr ? std::string("a root class") : cls->name()));
  }
  return *method;
}

void receiverOfAnotherClass(id self, const Class* cls) {
  fatal("method of " + cls->name() + " sent to an instance of " + self->isa()->name());
}

}  // namespace detail

void performSelector(id target, std::string_view selector, id argument) {
  if (target == nullptr) return;
  const Method& method = detail::lookupOrDie(target->isa(), selector, "instance");
  if (method.signature == typeid(void(id))) {
    reinterpret_cast<void (*)(id, id)>(method.imp)(target, argument);
  } else if (method.signature == typeid(void())) {
    reinterpret_cast<void (*)(id)>(method.imp)(target);
  } else {
    fatal("selector " + std::string(selector) + " (" + method.types +
          ") cannot be performed with an object argument");
  }
}

}  // namespace platform::runtime
