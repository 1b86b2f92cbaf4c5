#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <utility>

namespace platform::runtime {

class Class;

namespace detail {

// Lets std::allocate_shared reach the non-public constructors of the runtime classes, which
// befriend it: an object and its reference count stay in one allocation, as make_shared has them.
template <typename T>
struct ObjectAllocator {
  using value_type = T;

  ObjectAllocator() = default;
  template <typename U>
  ObjectAllocator(const ObjectAllocator<U>& /*other*/) noexcept {}  // NOLINT(google-explicit-constructor)

  T* allocate(std::size_t count) { return std::allocator<T>().allocate(count); }
  void deallocate(T* object, std::size_t count) noexcept { std::allocator<T>().deallocate(object, count); }

  template <typename U, typename... Args>
  void construct(U* place, Args&&... args) {
    ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
  }
  template <typename U>
  void destroy(U* object) {
    object->~U();
  }

  template <typename U>
  bool operator==(const ObjectAllocator<U>& /*other*/) const noexcept {
    return true;
  }
};

}  // namespace detail
}  // namespace platform::runtime

// Declares a class of the object runtime, first in the class's body:
// - runtimeClass(), defined in the class's source file, registers the class and fills its table;
// - isa(), the class a send to the object looks its method up in;
// - alloc(arguments...), an object not initialized yet, owned by a shared_ptr from the start.
// The constructors are protected, so that objects come from the class's factories (create(), a
// nib, a list controller's factory), which start with alloc(), and never live by value.
// RUNTIME_CLASS declares the default constructor; a class with constructors of its own declares
// them right after RUNTIME_CLASS_WITH_CONSTRUCTORS. Macros, because only a declaration in the
// class's own body can make its constructors non-public.
// NOLINTNEXTLINE(cppcoreguidelines-macro-usage)
#define RUNTIME_CLASS_WITH_CONSTRUCTORS(Klass)                                                \
 public:                                                                                      \
  static ::platform::runtime::Class* runtimeClass();                                          \
  ::platform::runtime::Class* isa() const override {                                          \
    return runtimeClass();                                                                    \
  }                                                                                           \
  template <typename... Args>                                                                 \
  static std::shared_ptr<Klass> alloc(Args&&... args) {                                       \
    return std::allocate_shared<Klass>(::platform::runtime::detail::ObjectAllocator<Klass>(), \
                                       std::forward<Args>(args)...);                          \
  }                                                                                           \
                                                                                              \
 protected:                                                                                   \
  template <typename>                                                                         \
  friend struct ::platform::runtime::detail::ObjectAllocator;

// NOLINTNEXTLINE(cppcoreguidelines-macro-usage)
#define RUNTIME_CLASS(Klass)             \
  RUNTIME_CLASS_WITH_CONSTRUCTORS(Klass) \
  Klass() = default;
