#pragma once

#include <sys/types.h>

#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/PropertyList.h"

namespace platform::settings {

// The stored values of one settings domain in this process, kept in step with its file.
//
// The file is only ever replaced whole: a writer takes the lock file beside it, reads the
// current file, changes its one key, writes a temporary file, flushes it and renames it over the
// old one. So writers in several processes lose nothing and readers never see half a file.
// A file that is not a readable dictionary reads as empty; the next write moves it aside
// ("<name>.corrupt-<n>") instead of overwriting it. Every file is reached through the device's
// file system and opened without following a link: a link at any of these names is never
// written through (a link at the settings file reads as unreadable and is moved aside).
class PreferencesDomain {
 public:
  // The one object of this process for the domain file at the device path.
  static std::shared_ptr<PreferencesDomain> forDevicePath(const std::string& devicePath);

  // nullopt: no usable file (the path was refused); values then live in memory only.
  explicit PreferencesDomain(std::optional<std::string> devicePath);

  // The stored values, reread first when the file has changed since they were last read.
  const foundation::PropertyList::Dictionary& values();

  // Stores the value under the key (nullopt removes the key). False when the file could not be
  // written; the change then holds in this process until the file changes again or
  // forgetUnsaved drops it. Text that the file cannot hold as it is (a key or string that is not
  // UTF-8, a key with NUL) is refused: false, and nothing changes.
  bool write(const std::string& key, const std::optional<foundation::PropertyList>& value);
  // Removes every key in one replacement of the file; false as for write.
  bool removeAll();
  // Drops what failed writes left in memory: the values read as the file holds them again.
  void forgetUnsaved();

 private:
  // Which file was read: replacing the file changes its inode, touching it its change time.
  struct Stamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec changed{};
    bool operator==(const Stamp& other) const;
  };

  // Reads the file under its lock, applies the change and replaces the file.
  bool update(const std::function<void(foundation::PropertyList::Dictionary&)>& apply);
  std::optional<Stamp> stamp() const;  // nullopt when the file does not exist
  bool moveAside(int directory) const;
  bool replaceFile(int directory, const foundation::PropertyList::Dictionary& values) const;
  void removeStaleTemporaries(int directory) const;

  std::optional<std::string> devicePath_;
  std::string directoryPath_;  // the device path of the directory that holds the file
  std::string name_;           // the file's name in it
  foundation::PropertyList::Dictionary values_;
  bool loaded_ = false;
  std::optional<Stamp> loadedStamp_;
};

}  // namespace platform::settings
