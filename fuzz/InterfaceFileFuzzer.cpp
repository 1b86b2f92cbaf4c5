// Any bytes as an interface file: read, then decoded into views as a bundle's nib is.
#include <cstdint>
#include <span>

#include "platform/foundation/PropertyList.h"
#include "platform/uikit/UINib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto contents = platform::foundation::PropertyList::parse(std::span(data, size));
  if (!contents) return 0;
  auto nib = platform::uikit::UINib::alloc(std::move(contents).value(), "Fuzz.nib");
  nib->instantiateWithOwner(nullptr);
  return 0;
}
