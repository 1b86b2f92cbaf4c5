#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/foundation/PropertyList.h"
#include "platform/runtime/NSObject.h"
#include "platform/settings/SettingRange.h"

namespace platform::settings {

class PreferencesDomain;

// The settings store: one object per `initWithIdentifier:`, for the domain stored at
// domainDevicePath(identifier). Every object for a domain, in this process or another, reads the
// same stored values.
//
// Writes: every set... writes through to the file at once (see PreferencesDomain), so nothing is
// pending and no other process's write is lost. `synchronize` announces the change by posting
// changeNotificationName(identifier).
//
// Changes: every object observes that notification, whoever posted it, this process included.
// On it, delivered by the main run loop, the object updates its bound variables from the file,
// then runs its change blocks in registration order. A change block does not run at
// registration; run it once yourself if its effect is needed from the start.
class HBPreferences : public runtime::NSObject {
  RUNTIME_CLASS_WITH_CONSTRUCTORS(HBPreferences)

 public:
  static std::shared_ptr<HBPreferences> initWithIdentifier(const std::string& identifier);
  ~HBPreferences() override;

  const std::string& identifier() const { return identifier_; }

  // Binds the variable to the key: it holds the stored value (read as xForKey reads it) or the
  // default from now on, and follows every change announced later. The variable must outlive
  // this object.
  void registerBool(bool* variable, bool defaultValue, const std::string& key);
  void registerInteger(int64_t* variable, int64_t defaultValue, const std::string& key);
  // The same, for a setting that offers only the whole numbers of the range: the variable and
  // integerForKey read the stored value into it (SettingRange::read), else the default.
  void registerInteger(int64_t* variable, int64_t defaultValue, const std::string& key, SettingRange range);
  void registerFloat(double* variable, double defaultValue, const std::string& key);
  // Only a stored string counts; any other kind of stored value reads as the default.
  void registerObject(std::optional<std::string>* variable, std::optional<std::string> defaultValue,
                      const std::string& key);
  void registerPreferenceChangeBlock(std::function<void()> block);

  // The stored value read the Foundation way (text "YES" is true, "42" is 42); a value with no
  // such reading (data, array, dictionary, date) or no value at all gives the registered
  // default, else NO / 0.
  bool boolForKey(std::string_view key) const;
  int64_t integerForKey(std::string_view key) const;
  double floatForKey(std::string_view key) const;
  // The stored value of any kind, else the registered default, else nullopt (nil).
  std::optional<foundation::PropertyList> objectForKey(std::string_view key) const;
  std::optional<foundation::PropertyList> operator[](std::string_view key) const { return objectForKey(key); }

  void setBool(bool value, const std::string& key);
  void setInteger(int64_t value, const std::string& key);
  void setFloat(double value, const std::string& key);
  // nullopt removes the key.
  void setObject(const std::optional<foundation::PropertyList>& value, const std::string& key);
  // Removes every stored value of the domain at once: each key reads its default again.
  void removeAllObjects();

  // Posts the change notification. NO when a write since the last synchronize failed: the file
  // could not be written, or the value held text the file cannot store (not UTF-8, or a key with
  // NUL). What it could not store is dropped, so that no reader in this process acts on a value
  // that other processes will never see.
  bool synchronize();

  // "<identifier>/ReloadPrefs": posted by synchronize, and by the preferences pane's rows.
  static std::string changeNotificationName(const std::string& identifier);
  // "/var/mobile/Library/Preferences/<identifier>.plist"
  static std::string domainDevicePath(const std::string& identifier);

 private:
  explicit HBPreferences(std::string identifier);
  // Runs the update now and after every change.
  void bind(std::function<void()> update);
  const foundation::PropertyList* storedValue(std::string_view key) const;
  template <typename T>
  T read(std::string_view key, std::optional<T> (foundation::PropertyList::*reading)() const) const;
  void reloadAndNotify();

  std::string identifier_;
  std::shared_ptr<PreferencesDomain> domain_;
  foundation::PropertyList::Dictionary defaults_;
  std::vector<std::function<void()>> bindings_;
  std::vector<std::function<void()>> changeBlocks_;
  std::map<std::string, SettingRange, std::less<>> ranges_;
  bool writeFailed_ = false;
};

}  // namespace platform::settings
