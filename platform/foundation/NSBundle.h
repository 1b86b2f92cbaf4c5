#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/runtime/NSObject.h"
#include "platform/runtime/StringHash.h"

namespace platform::foundation {

class NSLocale;

// A bundle directory on the device: its resources, and strings tables per localization in
// "<language>.lproj/<table>.strings" (property-list dictionaries). Paths are device paths.
class NSBundle : public runtime::NSObject {
  RUNTIME_CLASS_WITH_CONSTRUCTORS(NSBundle)
  // Use initWithPath: a bundle is always owned through std::shared_ptr.
  NSBundle(std::string path, std::vector<std::string> localizations);

 public:
  // [[NSBundle alloc] initWithPath:]: the bundle whose directory is at the path, or nil when no
  // directory is there. As Foundation does, a path once opened gives back that same bundle,
  // with the strings tables it has already read.
  static std::shared_ptr<NSBundle> initWithPath(std::string_view path);

  const std::string& bundlePath() const { return path_; }
  // The names of its "<name>.lproj" folders, such as "en" or "zh-Hans", in name order.
  const std::vector<std::string>& localizations() const { return localizations_; }
  // The localization the current locale's language picks, else the development one ("en");
  // "" when the bundle has neither.
  std::string preferredLocalization() const;

  // The device path of "<name>.<type>" at the top of the bundle, else in the preferred
  // localization's folder; "" (nil) when neither has it. Looks at the file system every time.
  std::string pathForResource(std::string_view name, std::string_view type) const;

  // The preferred localization's text for `key` in `table` ("" is the default table,
  // "Localizable"). A key the table lacks yields `value`, or `key` itself when `value` is "".
  std::string localizedStringForKey(std::string_view key, std::string_view value,
                                    std::string_view table) const;

 private:
  using StringsTable = std::unordered_map<std::string, std::string, runtime::StringHash, std::equal_to<>>;

  const StringsTable& stringsTable(const std::string& localization, std::string_view table) const;
  std::string localizationFor(const NSLocale& locale) const;

  std::string path_;
  std::vector<std::string> localizations_;
  // Read once, on first use, by "<localization>/<table>"; a table that cannot be read is empty.
  // The mutex also guards the preferred localization, kept with the locale it was chosen for.
  mutable std::mutex tablesMutex_;
  mutable std::map<std::string, StringsTable, std::less<>> tables_;
  mutable std::shared_ptr<const NSLocale> preferredFor_;
  mutable std::string preferred_;
};

}  // namespace platform::foundation
