#pragma once

#include <memory>
#include <optional>

#include "platform/foundation/PropertyList.h"
#include "platform/runtime/NSObject.h"

namespace lunadoze {

// The dictionary stored under "customizedApps" in the tweak's settings domain, mirrored in memory.
class LunadozeStorageManager : public platform::runtime::NSObject {
 public:
  static constexpr const char* kStorageKey = "customizedApps";

  // The one instance, created on first use and kept for the life of the process.
  static std::shared_ptr<LunadozeStorageManager> sharedInstance();
  // A new instance in its place, as a new process has; holders of the old one keep it.
  static void resetSharedInstance();

  // Nil until the first load; a dictionary, possibly empty, from then on.
  const std::optional<platform::foundation::PropertyList::Dictionary>& wholeStorageDictionary() const {
    return wholeStorageDictionary_;
  }
  void setWholeStorageDictionary(std::optional<platform::foundation::PropertyList::Dictionary> dictionary) {
    wholeStorageDictionary_ = std::move(dictionary);
  }

  // Reads the stored dictionary; nothing stored, or something that is no dictionary, reads empty.
  void loadDictionaryFromStorage();
  // Stores the in-memory dictionary under the key, once one was loaded or set, and synchronizes the
  // settings domain. NO when the domain could not be written; the in-memory dictionary is kept, so
  // that a later save can store it.
  bool saveDictionaryToStorage();

 private:
  std::optional<platform::foundation::PropertyList::Dictionary> wholeStorageDictionary_;
};

}  // namespace lunadoze
