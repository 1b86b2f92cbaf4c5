// Any bytes given to the property-list reader: an error or a value, never a crash; a value read
// is written in both forms, and each form reads back.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <sstream>

#include "platform/foundation/PropertyList.h"

using platform::foundation::PropertyList;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto parsed = PropertyList::parse(std::span(data, size));
  if (!parsed) return 0;
  std::ostringstream description;
  description << *parsed;
  if (!PropertyList::parse(parsed->toBinary())) std::abort();
  if (parsed->fitsXml() && !PropertyList::parse(parsed->toXml())) std::abort();
  return 0;
}
