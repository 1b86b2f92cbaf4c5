#include <gtest/gtest.h>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/settings/HBPreferences.h"
#include "tests/platform/foundation/TemporaryDirectory.h"
#include "tests/platform/settings/BlockedSettingsWrites.h"
#include "tweak/core/PreferencesIdentifier.h"
#include "tweak/support/LunadozeStorageManager.h"

namespace lunadoze {
namespace {

using platform::foundation::PropertyList;
using platform::settings::HBPreferences;

class LunadozeStorageManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::foundation::DeviceFileSystem::setRoot(root_.path());
    manager_->setWholeStorageDictionary(std::nullopt);
  }

  platform::foundation::TemporaryDirectory root_;
  std::shared_ptr<LunadozeStorageManager> manager_ = LunadozeStorageManager::sharedInstance();
};

TEST_F(LunadozeStorageManagerTest, LoadsTheStoredDictionaryOrAnEmptyOne) {
  EXPECT_EQ(LunadozeStorageManager::sharedInstance(), manager_);
  EXPECT_FALSE(manager_->wholeStorageDictionary().has_value());
  manager_->loadDictionaryFromStorage();
  EXPECT_EQ(manager_->wholeStorageDictionary(), PropertyList::Dictionary{});

  auto store = HBPreferences::initWithIdentifier(kPreferencesIdentifier);
  store->setObject(PropertyList(PropertyList::Dictionary{{"com.example.music", true}}), "customizedApps");
  manager_->loadDictionaryFromStorage();
  EXPECT_EQ(manager_->wholeStorageDictionary(), (PropertyList::Dictionary{{"com.example.music", true}}));

  // Anything but a dictionary under the key reads as none stored.
  store->setObject(PropertyList("not a dictionary"), "customizedApps");
  manager_->loadDictionaryFromStorage();
  EXPECT_EQ(manager_->wholeStorageDictionary(), PropertyList::Dictionary{});
}

TEST_F(LunadozeStorageManagerTest, SavingStoresTheDictionaryInMemory) {
  auto store = HBPreferences::initWithIdentifier(kPreferencesIdentifier);
  store->setObject(PropertyList(PropertyList::Dictionary{{"com.example.music", true}}), "customizedApps");
  // Nothing loaded or set yet: the stored dictionary is left alone.
  EXPECT_TRUE(manager_->saveDictionaryToStorage());
  EXPECT_EQ(store->objectForKey("customizedApps"),
            PropertyList(PropertyList::Dictionary{{"com.example.music", true}}));

  manager_->loadDictionaryFromStorage();
  auto dictionary = *manager_->wholeStorageDictionary();
  dictionary.insert_or_assign("com.example.radio", false);
  manager_->setWholeStorageDictionary(dictionary);
  manager_->saveDictionaryToStorage();
  EXPECT_EQ(store->objectForKey("customizedApps"), PropertyList(dictionary));

  manager_->setWholeStorageDictionary(std::nullopt);
  manager_->loadDictionaryFromStorage();
  EXPECT_EQ(manager_->wholeStorageDictionary(), dictionary);
}

TEST_F(LunadozeStorageManagerTest, ASaveThatCannotBeWrittenSaysSoAndKeepsTheDictionaryInMemory) {
  manager_->loadDictionaryFromStorage();
  platform::settings::blockSettingsWrites(root_.path());
  const PropertyList::Dictionary dictionary{{"com.example.music", true}};
  manager_->setWholeStorageDictionary(dictionary);
  EXPECT_FALSE(manager_->saveDictionaryToStorage());
  EXPECT_EQ(HBPreferences::initWithIdentifier(kPreferencesIdentifier)->objectForKey("customizedApps"),
            std::nullopt);
  EXPECT_EQ(manager_->wholeStorageDictionary(), dictionary);
}

}  // namespace
}  // namespace lunadoze
