#include "tweak/support/LunadozeStorageManager.h"

#include "platform/settings/HBPreferences.h"
#include "tweak/core/Settings.h"

namespace lunadoze {

using platform::foundation::PropertyList;
using platform::settings::HBPreferences;

std::shared_ptr<LunadozeStorageManager> LunadozeStorageManager::sharedInstance() {
  // The static's guarded initialization is the run-once guard.
  static const std::shared_ptr<LunadozeStorageManager> instance = std::make_shared<LunadozeStorageManager>();
  return instance;
}

void LunadozeStorageManager::loadDictionaryFromStorage() {
  auto stored = HBPreferences::initWithIdentifier(kPreferencesIdentifier)->objectForKey(kStorageKey);
  const PropertyList::Dictionary* dictionary = stored ? stored->dictionary() : nullptr;
  wholeStorageDictionary_ = dictionary ? *dictionary : PropertyList::Dictionary{};
}

void LunadozeStorageManager::saveDictionaryToStorage() {
  HBPreferences::initWithIdentifier(kPreferencesIdentifier)->synchronize();
}

}  // namespace lunadoze
