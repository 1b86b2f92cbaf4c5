#include "platform/foundation/CFNotificationCenter.h"

#include <fcntl.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/foundation/NSRunLoop.h"

namespace platform::foundation {

// Each name is a file in one directory of the device. A post closes the file after opening it
// for writing; every observing process has an inotify watch on the directory, read by its main
// run loop as an input source, so delivery waits in poll() and never polls the files.
class CFNotificationCenter {
 public:
  void post(std::string_view name);
  void addObserver(const void* observer, std::string_view name, CFNotificationCallback callback);
  // An empty name removes every registration of the observer.
  void removeObserver(const void* observer, std::string_view name);
  void removeAllObservers() { registrations_.clear(); }

 private:
  struct Registration {
    uint64_t serial;
    const void* observer;
    std::string name;
    std::string fileName;
    CFNotificationCallback callback;
  };

  static std::optional<std::filesystem::path> directory();
  static std::string fileName(std::string_view name);
  void watch();
  void deliver();
  // Drops the posts that have arrived and not been delivered.
  void discardArrived();

  std::vector<Registration> registrations_;
  uint64_t nextSerial_ = 1;
  int inotify_ = -1;
  int watch_ = -1;
  pid_t owner_ = 0;
  std::filesystem::path watched_;
};

constexpr std::string_view kDirectory = "/var/run/lunadoze/notify";

std::optional<std::filesystem::path> CFNotificationCenter::directory() {
  return DeviceFileSystem::resolve(kDirectory);
}

// Names such as "com.corvane.lunadoze/ReloadPrefs" hold slashes; they are escaped so that every
// name is one plain file of the directory.
std::string CFNotificationCenter::fileName(std::string_view name) {
  std::string file;
  for (unsigned char c : name) {
    bool plain = std::isalnum(c) || c == '-' || c == '_' || (c == '.' && !file.empty());
    if (plain) {
      file += static_cast<char>(c);
    } else {
      file += '%';
      file += "0123456789ABCDEF"[c >> 4];
      file += "0123456789ABCDEF"[c & 15];
    }
  }
  return file;
}

void CFNotificationCenter::post(std::string_view name) {
  if (name.empty()) return;
  const int dir = DeviceFileSystem::openDirectory(kDirectory);
  if (dir < 0) return;
  // Never through a link: whatever one points at is not this name's file.
  int fd =
      openat(dir, fileName(name).c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
  close(dir);
  if (fd >= 0) close(fd);  // the close is the post: observers see IN_CLOSE_WRITE
}

void CFNotificationCenter::addObserver(const void* observer, std::string_view name,
                                       CFNotificationCallback callback) {
  if (name.empty()) return;
  // Posts that arrived while no one here observed were for no one (a SpringBoard that has been
  // shut down): a new observer hears only what is posted from now on.
  if (registrations_.empty()) discardArrived();
  removeObserver(observer, name);
  registrations_.push_back({nextSerial_++, observer, std::string(name), fileName(name), std::move(callback)});
  watch();
}

void CFNotificationCenter::removeObserver(const void* observer, std::string_view name) {
  std::erase_if(registrations_, [&](const Registration& registration) {
    return registration.observer == observer && (name.empty() || registration.name == name);
  });
}

void CFNotificationCenter::watch() {
  // A forked child shares its parent's inotify description; reading it would steal the
  // parent's notifications, so the child gets its own.
  if (owner_ != getpid()) {
    if (inotify_ >= 0) close(inotify_);
    inotify_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    watch_ = -1;
    watched_.clear();
    owner_ = getpid();
  }
  auto dir = directory();
  if (inotify_ < 0 || !dir) return;
  if (*dir != watched_) {
    if (const int made = DeviceFileSystem::openDirectory(kDirectory); made >= 0) close(made);
    if (watch_ >= 0) inotify_rm_watch(inotify_, watch_);
    watch_ = inotify_add_watch(inotify_, dir->c_str(), IN_CLOSE_WRITE | IN_MOVED_TO);
    watched_ = watch_ >= 0 ? *dir : std::filesystem::path();
  }
  // Again on every registration: a run loop reset since the last one dropped its input sources.
  NSRunLoop::mainRunLoop().addInputSource(inotify_, [this] { deliver(); });
}

void CFNotificationCenter::discardArrived() {
  if (inotify_ < 0 || owner_ != getpid()) return;
  alignas(inotify_event) char buffer[16 * 1024];
  while (read(inotify_, buffer, sizeof buffer) > 0) {
  }
}

void CFNotificationCenter::deliver() {
  std::vector<std::string> arrived;
  bool overflowed = false;
  alignas(inotify_event) char buffer[16 * 1024];
  ssize_t length = 0;
  while ((length = read(inotify_, buffer, sizeof buffer)) > 0) {
    for (ssize_t offset = 0; offset < length;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
      offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      overflowed |= (event->mask & IN_Q_OVERFLOW) != 0;
      if (event->len == 0) continue;
      std::string file(event->name);
      if (std::find(arrived.begin(), arrived.end(), file) == arrived.end())
        arrived.push_back(std::move(file));
    }
  }

  // Serials, not references: a callback may add or remove registrations, its own included.
  std::vector<uint64_t> due;
  for (const Registration& registration : registrations_) {
    bool posted = std::find(arrived.begin(), arrived.end(), registration.fileName) != arrived.end();
    // When the kernel dropped events, everyone hears: a spurious reload is harmless, a lost one is not.
    if (posted || overflowed) due.push_back(registration.serial);
  }
  for (uint64_t serial : due) {
    auto registration = std::find_if(registrations_.begin(), registrations_.end(),
                                     [serial](const Registration& r) { return r.serial == serial; });
    if (registration == registrations_.end()) continue;
    auto callback = registration->callback;
    auto name = registration->name;
    callback(name);
  }
}

CFNotificationCenterRef CFNotificationCenterGetDarwinNotifyCenter() {
  // Never destroyed: observers with static lifetime (a loaded library's settings object) remove
  // themselves at exit, which may come after this function's statics would have been destroyed.
  static auto* center = new CFNotificationCenter;
  return center;
}

void CFNotificationCenterPostNotification(CFNotificationCenterRef center, std::string_view name) {
  if (center != nullptr) center->post(name);
}

void CFNotificationCenterAddObserver(CFNotificationCenterRef center, const void* observer,
                                     std::string_view name, CFNotificationCallback callback) {
  if (center != nullptr) center->addObserver(observer, name, std::move(callback));
}

void CFNotificationCenterRemoveObserver(CFNotificationCenterRef center, const void* observer,
                                        std::string_view name) {
  if (center != nullptr && !name.empty()) center->removeObserver(observer, name);
}

void CFNotificationCenterRemoveEveryObserver(CFNotificationCenterRef center, const void* observer) {
  if (center != nullptr) center->removeObserver(observer, {});
}

void CFNotificationCenterRemoveAllObservers(CFNotificationCenterRef center) {
  if (center != nullptr) center->removeAllObservers();
}

}  // namespace platform::foundation
