#include "platform/springboard/simulation/SubstrateLoader.h"

#include <dlfcn.h>

#include <algorithm>
#include <ranges>
#include <system_error>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/foundation/PropertyList.h"
#include "platform/foundation/SystemLog.h"

namespace platform::springboard {
namespace fs = std::filesystem;
using foundation::PropertyList;

namespace {

bool listHolds(const PropertyList* list, std::string_view name) {
  if (list == nullptr || list->array() == nullptr) return false;
  return std::ranges::any_of(*list->array(), [&](const PropertyList& item) {
    const std::string* text = item.string();
    return text != nullptr && *text == name;
  });
}

}  // namespace

SubstrateLoader::SubstrateLoader(std::string bundleIdentifier, std::string executableName)
    : bundleIdentifier_(std::move(bundleIdentifier)), executableName_(std::move(executableName)) {}

SubstrateLoader::~SubstrateLoader() {
  unloadLibraries();
}

bool SubstrateLoader::filterNamesProcess(const PropertyList& filterPlist) const {
  const PropertyList* filter = filterPlist["Filter"];
  if (filter == nullptr || filter->dictionary() == nullptr) return false;
  return listHolds((*filter)["Bundles"], bundleIdentifier_) ||
         listHolds((*filter)["Executables"], executableName_);
}

void SubstrateLoader::loadLibraries() {
  auto directory = foundation::DeviceFileSystem::resolve(kDynamicLibrariesPath);
  std::error_code error;
  if (!directory || !fs::is_directory(*directory, error)) return;
  std::vector<fs::path> paths;
  for (const auto& entry : fs::directory_iterator(*directory, error)) {
    if (entry.path().extension() == ".dylib" && entry.is_regular_file(error)) paths.push_back(entry.path());
  }
  std::ranges::sort(paths);  // in name order, whatever order the directory lists them in
  for (const auto& path : paths) {
    const std::string name = path.filename().string();
    fs::path filterPath = fs::path(path).replace_extension(".plist");
    if (!fs::exists(filterPath, error)) {
      foundation::SystemLog::write("substrate: " + name + " has no filter, not loaded");
      continue;
    }
    auto filter = PropertyList::readFile(filterPath);
    if (!filter) {
      foundation::SystemLog::write("substrate: " + name +
                                   " has an unreadable filter, not loaded: " + filter.error());
      continue;
    }
    if (!filterNamesProcess(*filter)) continue;
    // Local: nothing else in the process binds to a library's symbols, so dlclose can unload it.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
      foundation::SystemLog::write("substrate: cannot load " + name + ": " + dlerror());
      continue;
    }
    libraries_.push_back({path, handle});
  }
}

void SubstrateLoader::unloadLibraries() {
  // Last loaded, first closed, as a process's libraries are finalized at exit.
  for (auto library = libraries_.rbegin(); library != libraries_.rend(); ++library) dlclose(library->handle);
  libraries_.clear();
}

std::vector<fs::path> SubstrateLoader::loadedLibraries() const {
  std::vector<fs::path> paths;
  for (const Library& library : libraries_) paths.push_back(library.path);
  return paths;
}

}  // namespace platform::springboard
