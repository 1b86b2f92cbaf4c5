// Any bytes as a bundle's strings table, looked up as the product looks up its texts.
#include <cstdint>
#include <memory>

#include "fuzz/FuzzDevice.h"
#include "platform/foundation/NSBundle.h"

using platform::foundation::NSBundle;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static lunadoze::fuzz::FuzzDevice device;
  device.store("/Bundle.bundle/en.lproj/Localizable.strings", std::span(data, size));
  // A bundle of its own each time: a bundle keeps the tables it has read.
  auto bundle = NSBundle::alloc("/Bundle.bundle", std::vector<std::string>{"en"});
  bundle->localizedStringForKey("TIMER", "", "");
  bundle->localizedStringForKey("", "fallback", "");
  return 0;
}
