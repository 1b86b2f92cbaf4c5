#pragma once

#include <string>
#include <typeindex>

namespace platform::runtime {

// One entry of a class's method table. The implementation is stored type-erased together with
// the signature it was registered with; every call site checks that signature before calling.
struct Method {
  using ErasedImp = void (*)();

  std::string name;
  std::string types;
  std::type_index signature;
  ErasedImp imp;
};

}  // namespace platform::runtime
