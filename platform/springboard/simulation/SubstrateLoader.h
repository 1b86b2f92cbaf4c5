#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace platform::foundation {
class PropertyList;
}

namespace platform::springboard {

// The substrate's loader in one process. At the process's start it opens, in name order, each
// library of kDynamicLibrariesPath whose filter, the property list of the same name beside it
// ("Lunadoze.dylib", "Lunadoze.plist"), names the process: its bundle identifier in the filter's
// "Bundles" or its executable's name in "Executables". As on the device, a library without a
// filter that can be read is loaded into no process.
class SubstrateLoader {
 public:
  static constexpr const char* kDynamicLibrariesPath = "/Library/MobileSubstrate/DynamicLibraries/";

  SubstrateLoader(std::string bundleIdentifier, std::string executableName);
  ~SubstrateLoader();
  SubstrateLoader(const SubstrateLoader&) = delete;
  SubstrateLoader& operator=(const SubstrateLoader&) = delete;

  // Opens the libraries meant for this process; their load-time constructors run there and then.
  // What cannot be opened, or has no readable filter, is logged and skipped.
  void loadLibraries();
  // Last loaded, first closed, as a process's libraries are finalized at exit.
  void unloadLibraries();
  // The host paths of the libraries opened, in load order.
  std::vector<std::filesystem::path> loadedLibraries() const;

  // Whether a filter plist's contents name the process.
  bool filterNamesProcess(const foundation::PropertyList& filterPlist) const;

 private:
  struct Library {
    std::filesystem::path path;
    void* handle;
  };

  std::string bundleIdentifier_;
  std::string executableName_;
  std::vector<Library> libraries_;
};

}  // namespace platform::springboard
