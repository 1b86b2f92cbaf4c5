#include "platform/settings/HBPreferences.h"

#include <cmath>
#include <utility>

#include "platform/foundation/CFNotificationCenter.h"
#include "platform/runtime/Runtime.h"
#include "platform/settings/PreferencesDomain.h"

namespace platform::settings {

using foundation::PropertyList;

std::shared_ptr<HBPreferences> HBPreferences::initWithIdentifier(const std::string& identifier) {
  auto preferences = alloc(identifier);
  foundation::CFNotificationCenterAddObserver(
      foundation::CFNotificationCenterGetDarwinNotifyCenter(), preferences.get(),
      changeNotificationName(identifier),
      [self = preferences.get()](const std::string&) { self->reloadAndNotify(); });
  return preferences;
}

HBPreferences::HBPreferences(std::string identifier)
    : identifier_(std::move(identifier)),
      domain_(PreferencesDomain::forDevicePath(domainDevicePath(identifier_))) {}

HBPreferences::~HBPreferences() {
  foundation::CFNotificationCenterRemoveEveryObserver(foundation::CFNotificationCenterGetDarwinNotifyCenter(),
                                                      this);
}

runtime::Class* HBPreferences::runtimeClass() {
  return runtime::objc_registerClass("HBPreferences", &NSObject::runtimeClass);
}

std::string HBPreferences::changeNotificationName(const std::string& identifier) {
  return identifier + "/ReloadPrefs";
}

std::string HBPreferences::domainDevicePath(const std::string& identifier) {
  return "/var/mobile/Library/Preferences/" + identifier + ".plist";
}

void HBPreferences::registerBool(bool* variable, bool defaultValue, const std::string& key) {
  defaults_.insert_or_assign(key, defaultValue);
  bind([this, variable, key] { *variable = boolForKey(key); });
}

void HBPreferences::registerInteger(int64_t* variable, int64_t defaultValue, const std::string& key) {
  defaults_.insert_or_assign(key, defaultValue);
  bind([this, variable, key] { *variable = integerForKey(key); });
}

void HBPreferences::registerInteger(int64_t* variable, int64_t defaultValue, const std::string& key,
                                    SettingRange range) {
  ranges_.insert_or_assign(key, range);
  registerInteger(variable, defaultValue, key);
}

void HBPreferences::registerFloat(double* variable, double defaultValue, const std::string& key) {
  defaults_.insert_or_assign(key, defaultValue);
  bind([this, variable, key] { *variable = floatForKey(key); });
}

void HBPreferences::registerObject(std::optional<std::string>* variable,
                                   std::optional<std::string> defaultValue, const std::string& key) {
  if (defaultValue) {
    defaults_.insert_or_assign(key, *defaultValue);
  } else {
    defaults_.erase(key);
  }
  bind([this, variable, key, defaultValue] {
    const PropertyList* stored = storedValue(key);
    *variable = stored != nullptr && stored->isString() ? std::optional(*stored->string()) : defaultValue;
  });
}

void HBPreferences::bind(std::function<void()> update) {
  update();
  bindings_.push_back(std::move(update));
}

void HBPreferences::registerPreferenceChangeBlock(std::function<void()> block) {
  changeBlocks_.push_back(std::move(block));
}

const PropertyList* HBPreferences::storedValue(std::string_view key) const {
  const auto& values = domain_->values();
  auto entry = values.find(key);
  return entry != values.end() ? &entry->second : nullptr;
}

template <typename T>
T HBPreferences::read(std::string_view key, std::optional<T> (PropertyList::*reading)() const) const {
  // A stored value without a reading of this kind (data, an array...) falls back like an absent one.
  if (const PropertyList* stored = storedValue(key)) {
    if (auto value = (stored->*reading)()) return *value;
  }
  auto fallback = defaults_.find(key);
  if (fallback != defaults_.end()) {
    if (auto value = (fallback->second.*reading)()) return *value;
  }
  return T{};
}

bool HBPreferences::boolForKey(std::string_view key) const {
  return read(key, &PropertyList::boolValue);
}

int64_t HBPreferences::integerForKey(std::string_view key) const {
  auto range = ranges_.find(key);
  if (range == ranges_.end()) return read(key, &PropertyList::integerValue);
  const PropertyList* stored = storedValue(key);
  auto value = stored != nullptr ? range->second.read(*stored) : std::nullopt;
  if (value) return std::llround(*value);
  auto fallback = defaults_.find(key);
  return fallback != defaults_.end() ? fallback->second.integerValue().value_or(0) : 0;
}

double HBPreferences::floatForKey(std::string_view key) const {
  return read(key, &PropertyList::doubleValue);
}

std::optional<PropertyList> HBPreferences::objectForKey(std::string_view key) const {
  if (const PropertyList* stored = storedValue(key)) return *stored;
  auto fallback = defaults_.find(key);
  if (fallback != defaults_.end()) return fallback->second;
  return std::nullopt;
}

void HBPreferences::setBool(bool value, const std::string& key) {
  setObject(PropertyList(value), key);
}

void HBPreferences::setInteger(int64_t value, const std::string& key) {
  setObject(PropertyList(value), key);
}

void HBPreferences::setFloat(double value, const std::string& key) {
  setObject(PropertyList(value), key);
}

void HBPreferences::setObject(const std::optional<PropertyList>& value, const std::string& key) {
  if (!domain_->write(key, value)) writeFailed_ = true;
}

void HBPreferences::removeAllObjects() {
  if (!domain_->removeAll()) writeFailed_ = true;
}

bool HBPreferences::synchronize() {
  const bool written = !std::exchange(writeFailed_, false);
  if (!written) domain_->forgetUnsaved();
  foundation::CFNotificationCenterPostNotification(foundation::CFNotificationCenterGetDarwinNotifyCenter(),
                                                   changeNotificationName(identifier_));
  return written;
}

void HBPreferences::reloadAndNotify() {
  // A change block may let go of the last reference to this object.
  auto self = retained<HBPreferences>();
  for (const auto& update : bindings_) update();
  auto blocks = changeBlocks_;  // a block may register another
  for (const auto& block : blocks) block();
}

}  // namespace platform::settings
