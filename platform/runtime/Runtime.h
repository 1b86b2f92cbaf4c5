#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <typeinfo>

#include "platform/runtime/Class.h"
#include "platform/runtime/NSObject.h"
#include "platform/runtime/Selector.h"

// The object runtime: classes by name, method tables, replacing and adding methods, and sends.
// Names follow the device's runtime so that product code reads as it would there.
namespace platform::runtime {

// Ends the process with the message, as the device's runtime does on an unrecognized selector.
[[noreturn]] void fatal(const std::string& message);

// The class registered under the name, or null when the running system has no such class.
Class* objc_getClass(std::string_view name);
inline Class* NSClassFromString(std::string_view name) {
  return objc_getClass(name);
}

// The class registered under the name; registers it first (running `setup` on it to fill its
// method table) when there is none yet. The superclass (null for a root class) is asked for only
// then: every send looks its receiver's class up, and that stays one lookup however deep the class
// stands.
Class* objc_registerClass(std::string_view name, Class* (*superclass)(),
                          const std::function<void(Class*)>& setup = {});

// Forgets every class, as a process that ends does: the next process registers its own.
// Objects of the old classes must be gone before this is called.
void objc_disposeAllClasses();

bool class_respondsToSelector(const Class* cls, std::string_view selector);

namespace detail {

template <typename Imp>
Method::ErasedImp erase(Imp imp) {
  return reinterpret_cast<Method::ErasedImp>(imp);
}

template <typename Signature>
typename Selector<Signature>::Imp checkedImp(const Method& method, const Selector<Signature>& sel) {
  if (method.signature != typeid(Signature)) {
    fatal(std::string("signature mismatch for selector ") + sel.name() + " (registered as " + method.types +
          ", sent as " + Selector<Signature>::encoding() + ")");
  }
  return reinterpret_cast<typename Selector<Signature>::Imp>(method.imp);
}

const Method& lookupOrDie(const Class* cls, std::string_view selector, const char* receiverKind);

}  // namespace detail

// Adds the method when the class itself has none of that name (an inherited one does not
// count). The type encoding must be the selector's; a different one is a programming error.
template <typename R, typename... Args>
bool class_addMethod(Class* cls, const Selector<R(Args...)>& sel, typename Selector<R(Args...)>::Imp imp,
                     const char* types) {
  if (cls == nullptr) return false;
  if (Selector<R(Args...)>::encoding() != types) {
    fatal(std::string("type encoding ") + types + " does not match selector " + sel.name() + " (" +
          Selector<R(Args...)>::encoding() + ")");
  }
  return cls->addMethod(Method{sel.name(), types, typeid(R(Args...)), detail::erase(imp)}, false) == nullptr;
}

// The class's own implementation, for host classes that fill their tables in C++.
template <typename R, typename... Args>
void class_addMethod(Class* cls, const Selector<R(Args...)>& sel, typename Selector<R(Args...)>::Imp imp) {
  class_addMethod(cls, sel, imp, Selector<R(Args...)>::encoding().c_str());
}

// Replaces the implementation and hands back the previous one, which still runs when called.
// A method the class only inherits is overridden in the class itself, the inherited one handed
// back. A selector that the class does not respond to at all is left alone: nothing changes and
// `previous` stays empty.
template <typename R, typename... Args>
void MSHookMessageEx(Class* cls, const Selector<R(Args...)>& sel,
                     typename Selector<R(Args...)>::Imp replacement,
                     typename Selector<R(Args...)>::Imp* previous) {
  if (cls == nullptr) return;
  const Method* existing = cls->lookup(sel.name());
  if (existing == nullptr) return;
  // The implementation found, the class's own or an inherited one, is what a call of the previous
  // one must run.
  auto old = detail::checkedImp(*existing, sel);
  cls->addMethod(Method{sel.name(), existing->types, existing->signature, detail::erase(replacement)}, true);
  if (previous != nullptr) *previous = old;
}

// Sends the message. A send to nil does nothing and yields a zero value.
template <typename R, typename... Args, typename... Passed>
R send(id self, const Selector<R(Args...)>& sel, Passed&&... args) {
  if (self == nullptr) return R();
  const Method& method = detail::lookupOrDie(self->isa(), sel.name(), "instance");
  return detail::checkedImp(method, sel)(self, std::forward<Passed>(args)...);
}

// Sends the message to the implementation above `cls` in the chain, as a call to super does.
template <typename R, typename... Args, typename... Passed>
R sendSuper(const Class* cls, id self, const Selector<R(Args...)>& sel, Passed&&... args) {
  if (self == nullptr) return R();
  const Method& method = detail::lookupOrDie(cls->superclass(), sel.name(), "super of instance");
  return detail::checkedImp(method, sel)(self, std::forward<Passed>(args)...);
}

namespace detail {

[[noreturn]] void receiverOfAnotherClass(id self, const Class* cls);

}  // namespace detail

// The object as a T, or null when it is nil or not of T's class (a subclass counts).
template <typename T>
T* cast(id object) {
  return object != nullptr && object->isKindOfClass(T::runtimeClass()) ? static_cast<T*>(object) : nullptr;
}

// The receiver of a method, as the class whose table holds the method. A receiver of another class
// means the method went into the wrong class: debug builds end the process saying so; release
// builds only cast, since sends reach a method only through the tables of the receiver's class.
template <typename T>
T* downcast(id self) {
#ifndef NDEBUG
  if (self != nullptr && !self->isKindOfClass(T::runtimeClass()))
    detail::receiverOfAnotherClass(self, T::runtimeClass());
#endif
  return static_cast<T*>(self);
}

// A send by selector name alone, as target-action, timers and delayed performs make them: the
// method takes the argument (the sender, the timer, the object) or nothing.
void performSelector(id target, std::string_view selector, id argument);

}  // namespace platform::runtime
