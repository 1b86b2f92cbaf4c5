// Any bytes as the settings file: read into values, one key written, and the file read back.
// What was read must be what is written beside the new key (or the new key alone, when the file
// was unreadable and moved aside).
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <span>
#include <sstream>

#include "fuzz/FuzzDevice.h"
#include "platform/foundation/NSString.h"
#include "platform/foundation/PropertyList.h"
#include "platform/settings/PreferencesDomain.h"

namespace {

using platform::foundation::PropertyList;

const std::string kDevicePath = "/var/mobile/Library/Preferences/com.corvane.lunadoze.plist";

// Equal as the file can keep them: NaN is NaN, and the XML form keeps whole seconds of a date.
bool same(const PropertyList& read, const PropertyList& written) {
  if (const auto* items = read.array()) {
    const auto* others = written.array();
    if (others == nullptr || others->size() != items->size()) return false;
    for (size_t i = 0; i < items->size(); ++i)
      if (!same((*items)[i], (*others)[i])) return false;
    return true;
  }
  if (const auto* entries = read.dictionary()) {
    const auto* others = written.dictionary();
    if (others == nullptr || others->size() != entries->size()) return false;
    for (auto entry = entries->begin(), other = others->begin(); entry != entries->end(); ++entry, ++other)
      if (entry->first != other->first || !same(entry->second, other->second)) return false;
    return true;
  }
  if (read.isReal() && written.isReal() && std::isnan(*read.doubleValue()))
    return std::isnan(*written.doubleValue());
  if (auto date = read.date(); date && written.date()) return std::abs(*date - *written.date()) < 1;
  return read == written;
}

// Text that is not UTF-8 reaches the file only from outside; libplist re-encodes it on writing.
bool holdsForeignText(const PropertyList& value) {
  if (const auto* text = value.string()) return !platform::foundation::isValidUTF8(*text);
  if (const auto* items = value.array()) {
    for (const auto& item : *items)
      if (holdsForeignText(item)) return true;
  }
  if (const auto* entries = value.dictionary()) {
    for (const auto& [key, entry] : *entries)
      if (!platform::foundation::isValidUTF8(key) || holdsForeignText(entry)) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static lunadoze::fuzz::FuzzDevice device;
  const auto preferences = device.root() / "var/mobile/Library/Preferences";
  std::filesystem::remove_all(preferences);
  device.store(kDevicePath, std::span(data, size));

  auto domain = platform::settings::PreferencesDomain::forDevicePath(kDevicePath);
  PropertyList::Dictionary expected = domain->values();
  if (holdsForeignText(PropertyList(expected))) return 0;
  if (!domain->write("fuzzedKey", int64_t{42})) std::abort();
  expected.insert_or_assign("fuzzedKey", int64_t{42});

  auto stored = PropertyList::readFile(preferences / "com.corvane.lunadoze.plist");
  if (!stored || !same(PropertyList(expected), *stored)) {
    std::cerr << "read:    " << PropertyList(expected)
              << "\nwritten: " << (stored ? (std::ostringstream() << *stored).str() : stored.error()) << '\n';
    std::abort();
  }
  return 0;
}
