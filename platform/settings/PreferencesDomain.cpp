#include "platform/settings/PreferencesDomain.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <map>
#include <utility>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/foundation/NSString.h"

namespace platform::settings {
namespace {

using foundation::PropertyList;

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  int get() const { return fd_; }
  bool isValid() const { return fd_ >= 0; }

 private:
  int fd_;
};

using foundation::DeviceFileSystem;

constexpr int kReadFlags = O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC;
constexpr const char* kTemporaryInfix = ".tmp-";

// The dictionary in the opened file (the descriptor is closed): empty when the open found no
// file, nullopt when it is anything else than a readable dictionary, a link included.
std::optional<PropertyList::Dictionary> readDictionary(int fd) {
  if (fd < 0) return errno == ENOENT ? std::optional(PropertyList::Dictionary{}) : std::nullopt;
  auto stored = PropertyList::readDescriptor(fd);
  if (!stored || !stored->isDictionary()) return std::nullopt;
  return *stored->dictionary();
}

// Whether the file can hold the value as it is: its text must be UTF-8, and libplist takes keys
// only up to a NUL.
bool storable(const PropertyList& value) {
  if (const auto* text = value.string()) return foundation::isValidUTF8(*text);
  if (const auto* items = value.array()) return std::all_of(items->begin(), items->end(), storable);
  if (const auto* entries = value.dictionary()) {
    return std::all_of(entries->begin(), entries->end(), [](const auto& entry) {
      return foundation::isValidUTF8(entry.first) && entry.first.find('\0') == std::string::npos &&
             storable(entry.second);
    });
  }
  return true;
}

std::string randomSuffix() {
  uint64_t bits = 0;
  if (getrandom(&bits, sizeof bits, 0) != sizeof bits) {
    bits = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
           static_cast<uint64_t>(getpid()) << 32;
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(bits));
  return text;
}

// Whether the name still holds the file written through `fd`, and not something put in its place.
bool stillOurs(int directory, const std::string& name, int fd) {
  struct stat named {};
  struct stat written {};
  return fstatat(directory, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 && fstat(fd, &written) == 0 &&
         named.st_dev == written.st_dev && named.st_ino == written.st_ino;
}

bool writeAll(int fd, const std::string& bytes) {
  for (size_t done = 0; done < bytes.size();) {
    ssize_t count = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    done += static_cast<size_t>(count);
  }
  return true;
}

}  // namespace

std::shared_ptr<PreferencesDomain> PreferencesDomain::forDevicePath(const std::string& devicePath) {
  static std::map<std::string, std::weak_ptr<PreferencesDomain>> domains;
  // The directory must stay inside the device; the file itself is never followed if it is a link
  // (it then reads as unreadable and is moved aside), so only its directory is resolved.
  const size_t slash = devicePath.rfind('/');
  auto directory = slash == std::string::npos
                       ? std::nullopt
                       : DeviceFileSystem::resolve(devicePath.substr(0, std::max<size_t>(slash, 1)));
  // Keyed by the host file, so that a new device root gets new domains.
  std::weak_ptr<PreferencesDomain>& slot =
      domains[directory ? (*directory / devicePath.substr(slash + 1)).string() : std::string()];
  auto domain = slot.lock();
  if (domain == nullptr) {
    domain = std::make_shared<PreferencesDomain>(directory ? std::optional(devicePath) : std::nullopt);
    slot = domain;
  }
  return domain;
}

PreferencesDomain::PreferencesDomain(std::optional<std::string> devicePath)
    : devicePath_(std::move(devicePath)) {
  if (!devicePath_) return;
  const size_t slash = devicePath_->rfind('/');
  directoryPath_ = slash == 0 ? "/" : devicePath_->substr(0, slash);
  name_ = devicePath_->substr(slash + 1);
}

bool PreferencesDomain::Stamp::operator==(const Stamp& other) const {
  return device == other.device && inode == other.inode && size == other.size &&
         changed.tv_sec == other.changed.tv_sec && changed.tv_nsec == other.changed.tv_nsec;
}

std::optional<PreferencesDomain::Stamp> PreferencesDomain::stamp() const {
  if (!devicePath_) return std::nullopt;
  FileDescriptor file(DeviceFileSystem::open(*devicePath_, O_PATH | O_NOFOLLOW));
  struct stat info {};
  if (!file.isValid() || fstat(file.get(), &info) != 0) return std::nullopt;
  return Stamp{info.st_dev, info.st_ino, info.st_size, info.st_ctim};
}

const PropertyList::Dictionary& PreferencesDomain::values() {
  if (!devicePath_) return values_;
  auto current = stamp();
  if (!loaded_ || current != loadedStamp_) {
    values_ =
        readDictionary(DeviceFileSystem::open(*devicePath_, kReadFlags)).value_or(PropertyList::Dictionary{});
    loaded_ = true;
    loadedStamp_ = current;
  }
  return values_;
}

bool PreferencesDomain::write(const std::string& key, const std::optional<PropertyList>& value) {
  if (!foundation::isValidUTF8(key) || key.find('\0') != std::string::npos || (value && !storable(*value)))
    return false;
  return update([&](PropertyList::Dictionary& values) {
    if (value) {
      values.insert_or_assign(key, *value);
    } else {
      values.erase(key);
    }
  });
}

bool PreferencesDomain::removeAll() {
  return update([](PropertyList::Dictionary& values) { values.clear(); });
}

bool PreferencesDomain::update(const std::function<void(PropertyList::Dictionary&)>& apply) {
  bool written = false;
  FileDescriptor directory(devicePath_ ? DeviceFileSystem::openDirectory(directoryPath_) : -1);
  if (directory.isValid()) {
    FileDescriptor lock(openat(directory.get(), (name_ + ".lock").c_str(),
                               O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644));
    if (lock.isValid() && flock(lock.get(), LOCK_EX) == 0) {
      removeStaleTemporaries(directory.get());
      // Reread under the lock: other writers' keys must survive this write.
      auto stored = readDictionary(openat(directory.get(), name_.c_str(), kReadFlags));
      if (stored || moveAside(directory.get())) {
        PropertyList::Dictionary values = std::move(stored).value_or(PropertyList::Dictionary{});
        apply(values);
        written = replaceFile(directory.get(), values);
        if (written) {
          values_ = std::move(values);
          loaded_ = true;
          loadedStamp_ = stamp();
        }
      }
    }  // the lock goes with its descriptor
  }
  if (!written) {
    values();  // the change goes over what the file holds, and stays until the file changes
    apply(values_);
  }
  return written;
}

void PreferencesDomain::forgetUnsaved() {
  // Without a file nothing was ever saved; with one, the next read takes the file as it is.
  values_.clear();
  loaded_ = false;
}

bool PreferencesDomain::moveAside(int directory) const {
  for (int n = 1;; ++n) {
    const std::string aside = name_ + ".corrupt-" + std::to_string(n);
    // Never over an earlier one, even one that appeared since the last look.
    if (renameat2(directory, name_.c_str(), directory, aside.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EEXIST) return false;
  }
}

// Writers that were killed mid-write leave their temporary files; under the lock no other writer
// is between creating one and renaming it, so every one left is stale.
void PreferencesDomain::removeStaleTemporaries(int directory) const {
  const int listing = openat(directory, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (listing < 0) return;
  DIR* entries = fdopendir(listing);
  if (entries == nullptr) {
    close(listing);
    return;
  }
  const std::string prefix = name_ + kTemporaryInfix;
  while (const dirent* entry = readdir(entries)) {
    if (std::string_view(entry->d_name).starts_with(prefix)) unlinkat(directory, entry->d_name, 0);
  }
  closedir(entries);
}

bool PreferencesDomain::replaceFile(int directory, const PropertyList::Dictionary& values) const {
  // An unpredictable name, created only if nothing is there: nothing planted in advance can be
  // written through or renamed into place.
  std::string temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
    temporary = name_ + kTemporaryInfix + randomSuffix();
    fd = openat(directory, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0 && errno != EEXIST) break;
  }
  FileDescriptor out(fd);
  if (!out.isValid()) return false;
  const PropertyList contents(values);
  bool written = false;
  if (contents.fitsXml()) {
    written = writeAll(out.get(), contents.toXml());
  } else {
    // Text XML cannot carry (a NUL byte, a control character) is kept whole in the binary form.
    const std::vector<uint8_t> binary = contents.toBinary();
    written = writeAll(out.get(), std::string(binary.begin(), binary.end()));
  }
  written = written && fsync(out.get()) == 0 && stillOurs(directory, temporary, out.get());
  if (!written || renameat(directory, temporary.c_str(), directory, name_.c_str()) != 0) {
    unlinkat(directory, temporary.c_str(), 0);
    return false;
  }
  // The rename itself must reach the disk too, or a crash could bring back the old file.
  fsync(directory);
  return true;
}

}  // namespace platform::settings
