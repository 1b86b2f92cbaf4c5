#include "tweak/support/LunadozeStorageManager.h"

#include "platform/settings/HBPreferences.h"
#include "tweak/core/Settings.h"

namespace lunadoze {

using platform::foundation::PropertyList;
using platform::settings::HBPreferences;

namespace {

std::shared_ptr<LunadozeStorageManager>& instance() {
  // The static's guarded initialization is the run-once guard.
  static std::shared_ptr<LunadozeStorageManager> instance = std::make_shared<LunadozeStorageManager>();
  return instance;
}

}  // namespace

std::shared_ptr<LunadozeStorageManager> LunadozeStorageManager::sharedInstance() {
  return instance();
}

void LunadozeStorageManager::resetSharedInstance() {
  instance() = std::make_shared<LunadozeStorageManager>();
}

void LunadozeStorageManager::loadDictionaryFromStorage() {
  auto stored = HBPreferences::initWithIdentifier(kPreferencesIdentifier)->objectForKey(kStorageKey);
  const PropertyList::Dictionary* dictionary = stored ? stored->dictionary() : nullptr;
  wholeStorageDictionary_ = dictionary ? *dictionary : PropertyList::Dictionary{};
}

bool LunadozeStorageManager::saveDictionaryToStorage() {
  auto store = HBPreferences::initWithIdentifier(kPreferencesIdentifier);
  // Saving must store what is in memory, or the changes made to it are lost. Before the first
  // load there is nothing to store, and the stored dictionary stays as it is.
  if (wholeStorageDictionary_) store->setObject(PropertyList(*wholeStorageDictionary_), kStorageKey);
  return store->synchronize();
}

}  // namespace lunadoze
