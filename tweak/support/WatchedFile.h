#pragma once

#include <optional>
#include <string>

#include "platform/foundation/DispatchSource.h"
#include "platform/foundation/PropertyList.h"

namespace lunadoze {

// What one file of the device says, kept between reads for as long as watches on the file and its
// folder hear no change. A change is seen once the run loop has taken its event. A file that
// cannot be watched (no folder of it can be, or the process is out of watches) is read afresh on
// every call, so what it says never depends on the watch.
class WatchedFile {
 public:
  using Dictionary = platform::foundation::PropertyList::Dictionary;

  explicit WatchedFile(std::string devicePath) : path_(std::move(devicePath)) {}
  ~WatchedFile() { unwatch(); }
  WatchedFile(const WatchedFile&) = delete;
  WatchedFile& operator=(const WatchedFile&) = delete;

  // fileExistsAtPath:
  bool exists();
  // dictionaryWithContentsOfFile: nullopt when the file is missing or is no dictionary.
  const std::optional<Dictionary>& dictionary();

 private:
  // Watches first, reads after: a change made after the watch is set is heard. Sources that
  // still watch the right file and folder are kept.
  void watch();
  void unwatch();

  std::string path_;
  bool current_ = false;  // watched, with no change heard since the last read
  bool folderWatched_ = false;
  bool folderIsParent_ = false;  // not an ancestor watched while the folder is missing
  bool fileWatched_ = false;     // or missing, which the folder tells of
  bool existenceRead_ = false;
  bool exists_ = false;
  bool contentsRead_ = false;
  std::optional<Dictionary> contents_;
  platform::foundation::dispatch_source_t fileSource_;
  platform::foundation::dispatch_source_t folderSource_;
};

}  // namespace lunadoze
