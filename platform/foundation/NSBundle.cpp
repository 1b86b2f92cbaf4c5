#include "platform/foundation/NSBundle.h"

#include <unicode/locid.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/foundation/NSLocale.h"
#include "platform/foundation/PropertyList.h"
#include "platform/runtime/Runtime.h"

namespace platform::foundation {
namespace {

constexpr std::string_view kDevelopmentLocalization = "en";
constexpr std::string_view kDefaultTable = "Localizable";
constexpr std::string_view kLocalizationSuffix = ".lproj";

// Bundles opened so far, by device root and path: the root can change, the bundle then differs.
struct OpenBundle {
  std::filesystem::path root;
  std::string path;
  std::shared_ptr<NSBundle> bundle;
};

std::mutex openBundlesMutex;
std::vector<OpenBundle> openBundles;

std::vector<std::string> localizationsIn(const std::filesystem::path& directory) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
    std::string name = entry.path().filename().string();
    if (name.ends_with(kLocalizationSuffix) && entry.is_directory(error)) {
      names.push_back(name.substr(0, name.size() - kLocalizationSuffix.size()));
    }
  }
  std::ranges::sort(names);
  return names;
}

std::string join(std::string_view directory, std::string_view file) {
  std::string path(directory);
  if (!path.ends_with('/')) path += '/';
  return path += file;
}

}  // namespace

runtime::Class* NSBundle::runtimeClass() {
  return runtime::objc_registerClass("NSBundle", &runtime::NSObject::runtimeClass);
}

NSBundle::NSBundle(std::string path, std::vector<std::string> localizations)
    : path_(std::move(path)), localizations_(std::move(localizations)) {}

std::shared_ptr<NSBundle> NSBundle::initWithPath(std::string_view path) {
  const std::filesystem::path& root = DeviceFileSystem::root();
  std::lock_guard lock(openBundlesMutex);
  for (const OpenBundle& open : openBundles) {
    if (open.path == path && open.root.native() == root.native()) return open.bundle;
  }
  auto host = DeviceFileSystem::resolve(path);
  std::error_code error;
  if (!host || !std::filesystem::is_directory(*host, error)) return nullptr;
  auto bundle = NSBundle::alloc(std::string(path), localizationsIn(*host));
  openBundles.push_back({root, std::string(path), bundle});
  return bundle;
}

std::string NSBundle::preferredLocalization() const {
  auto locale = NSLocale::currentLocale();
  std::lock_guard lock(tablesMutex_);
  // The same choice until the current locale is replaced.
  if (locale != preferredFor_) {
    preferred_ = localizationFor(*locale);
    preferredFor_ = std::move(locale);
  }
  return preferred_;
}

std::string NSBundle::localizationFor(const NSLocale& locale) const {
  const std::string& language = locale.languageCode();
  auto has = [this](const std::string& name) { return std::ranges::binary_search(localizations_, name); };
  // "zh_CN" names no script, yet it is written in simplified characters: ICU's likely subtags
  // give the script that the language and region imply, when the bundle has a localization
  // by script for the language at all.
  std::string script = locale.scriptCode();
  auto scripted = std::ranges::lower_bound(localizations_, language + '-');
  if (script.empty() && scripted != localizations_.end() && scripted->starts_with(language + '-')) {
    icu::Locale likely(locale.localeIdentifier().c_str());
    UErrorCode status = U_ZERO_ERROR;
    likely.addLikelySubtags(status);
    if (U_SUCCESS(status)) script = likely.getScript();
  }
  const std::string& region = locale.countryCode();
  // Most specific first: "zh-Hans", then "pt-BR" or "pt_BR", then "pt".
  if (std::string name = language + '-' + script; !script.empty() && has(name)) return name;
  if (std::string name = language + '-' + region; !region.empty() && has(name)) return name;
  if (std::string name = language + '_' + region; !region.empty() && has(name)) return name;
  if (has(language)) return language;
  if (std::string name(kDevelopmentLocalization); has(name)) return name;
  return {};
}

std::string NSBundle::pathForResource(std::string_view name, std::string_view type) const {
  std::string file(name);
  if (!type.empty()) (file += '.') += type;
  std::vector<std::string> candidates{join(path_, file)};
  if (std::string localization = preferredLocalization(); !localization.empty()) {
    candidates.push_back(join(join(path_, localization + std::string(kLocalizationSuffix)), file));
  }
  for (const std::string& candidate : candidates) {
    std::error_code error;
    auto host = DeviceFileSystem::resolve(candidate);
    if (host && std::filesystem::exists(*host, error)) return candidate;
  }
  return {};
}

std::string NSBundle::localizedStringForKey(std::string_view key, std::string_view value,
                                            std::string_view table) const {
  std::string localization = preferredLocalization();
  if (!localization.empty()) {
    const StringsTable& strings = stringsTable(localization, table.empty() ? kDefaultTable : table);
    if (auto found = strings.find(key); found != strings.end()) return found->second;
  }
  return std::string(value.empty() ? key : value);
}

const NSBundle::StringsTable& NSBundle::stringsTable(const std::string& localization,
                                                     std::string_view table) const {
  std::string id = localization + '/' + std::string(table);
  std::lock_guard lock(tablesMutex_);
  if (auto found = tables_.find(id); found != tables_.end()) return found->second;

  StringsTable strings;
  std::string path =
      join(join(path_, localization + std::string(kLocalizationSuffix)), std::string(table) + ".strings");
  if (auto host = DeviceFileSystem::resolve(path)) {
    auto contents = PropertyList::readFile(*host);
    if (const PropertyList::Dictionary* entries = contents ? contents->dictionary() : nullptr) {
      for (const auto& [key, text] : *entries) {
        if (const std::string* string = text.string()) strings.emplace(key, *string);
      }
    }
  }
  return tables_.emplace(std::move(id), std::move(strings)).first->second;
}

}  // namespace platform::foundation
