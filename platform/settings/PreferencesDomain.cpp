#include "platform/settings/PreferencesDomain.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <utility>

#include "platform/foundation/DeviceFileSystem.h"

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

std::filesystem::path withSuffix(const std::filesystem::path& file, const std::string& suffix) {
  std::filesystem::path result = file;
  result += suffix;
  return result;
}

// The dictionary in the file: empty when there is no file, nullopt when it is anything else
// than a readable dictionary.
std::optional<PropertyList::Dictionary> readDictionary(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::exists(std::filesystem::symlink_status(file, error)))
    return PropertyList::Dictionary{};
  auto stored = PropertyList::readFile(file);
  if (!stored || !stored->isDictionary()) return std::nullopt;
  return *stored->dictionary();
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
  auto file = foundation::DeviceFileSystem::resolve(devicePath);
  // Keyed by the host file, so that a new device root gets new domains.
  std::weak_ptr<PreferencesDomain>& slot = domains[file ? file->string() : std::string()];
  auto domain = slot.lock();
  if (domain == nullptr) {
    domain = std::make_shared<PreferencesDomain>(std::move(file));
    slot = domain;
  }
  return domain;
}

PreferencesDomain::PreferencesDomain(std::optional<std::filesystem::path> file) : file_(std::move(file)) {}

bool PreferencesDomain::Stamp::operator==(const Stamp& other) const {
  return device == other.device && inode == other.inode && size == other.size &&
         changed.tv_sec == other.changed.tv_sec && changed.tv_nsec == other.changed.tv_nsec;
}

std::optional<PreferencesDomain::Stamp> PreferencesDomain::stamp() const {
  struct stat info {};
  if (!file_ || stat(file_->c_str(), &info) != 0) return std::nullopt;
  return Stamp{info.st_dev, info.st_ino, info.st_size, info.st_ctim};
}

const PropertyList::Dictionary& PreferencesDomain::values() {
  if (!file_) return values_;
  auto current = stamp();
  if (!loaded_ || current != loadedStamp_) {
    values_ = readDictionary(*file_).value_or(PropertyList::Dictionary{});
    loaded_ = true;
    loadedStamp_ = current;
  }
  return values_;
}

bool PreferencesDomain::write(const std::string& key, const std::optional<PropertyList>& value) {
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
  if (file_) {
    std::error_code ignored;
    std::filesystem::create_directories(file_->parent_path(), ignored);
    FileDescriptor lock(open(withSuffix(*file_, ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
    if (lock.isValid() && flock(lock.get(), LOCK_EX) == 0) {
      // Reread under the lock: other writers' keys must survive this write.
      auto stored = readDictionary(*file_);
      if (stored || moveAside()) {
        PropertyList::Dictionary values = std::move(stored).value_or(PropertyList::Dictionary{});
        apply(values);
        written = replaceFile(values);
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

bool PreferencesDomain::moveAside() const {
  for (int n = 1;; ++n) {
    auto aside = withSuffix(*file_, ".corrupt-" + std::to_string(n));
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(aside, error))) continue;
    std::filesystem::rename(*file_, aside, error);
    return !error;
  }
}

bool PreferencesDomain::replaceFile(const PropertyList::Dictionary& values) const {
  auto temporary = withSuffix(*file_, ".tmp");
  bool written = false;
  {
    FileDescriptor out(open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    written = out.isValid() && writeAll(out.get(), PropertyList(values).toXml()) && fsync(out.get()) == 0;
  }
  if (!written || rename(temporary.c_str(), file_->c_str()) != 0) {
    unlink(temporary.c_str());
    return false;
  }
  // The rename itself must reach the disk too, or a crash could bring back the old file.
  FileDescriptor directory(open(file_->parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory.isValid()) fsync(directory.get());
  return true;
}

}  // namespace platform::settings
