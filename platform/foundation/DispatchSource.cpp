#include "platform/foundation/DispatchSource.h"

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/foundation/NSRunLoop.h"

namespace platform::foundation {

class DispatchSource : public std::enable_shared_from_this<DispatchSource> {
 public:
  DispatchSource(unsigned long mask, int watch) : mask(mask), watch(watch) {}
  ~DispatchSource();

  const unsigned long mask;
  int watch;  // -1 once the watch is gone: cancelled, or what it watched was removed
  std::function<void()> handler;
  unsigned long pending = 0;  // taken from the kernel, not yet handed to the handler
  unsigned long data = 0;     // what the running handler reads
  bool suspended = true;
  bool cancelled = false;
};

namespace {

// One inotify instance per process, read by the main run loop as an input source. Sources on the
// same file share the kernel's watch (inotify gives one per inode).
class VnodeWatches {
 public:
  static VnodeWatches& shared() {
    // Never destroyed: sources with static lifetime in a loaded library cancel at exit.
    static auto* watches = new VnodeWatches;
    return *watches;
  }

  dispatch_source_t create(std::string_view devicePath, unsigned long mask);
  void release(DispatchSource& source);
  void resume(DispatchSource& source);
  void setLimit(size_t watches) { limit_ = watches; }

 private:
  static constexpr uint32_t kFolderEvents =
      IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF;
  static constexpr uint32_t kFileEvents = IN_MODIFY | IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF;

  // A forked child shares its parent's inotify description; reading it would steal the parent's
  // events, so the child gets its own, and the parent's sources hear nothing in it.
  bool ensureOpen();
  void take();
  static unsigned long flagsOf(const inotify_event& event);
  void dropWatch(int watch);
  static void run(const std::shared_ptr<DispatchSource>& source);

  int inotify_ = -1;
  pid_t owner_ = 0;
  size_t limit_ = 0;
  std::unordered_map<int, std::vector<DispatchSource*>> sources_;  // by watch descriptor
};

bool VnodeWatches::ensureOpen() {
  if (owner_ != getpid()) {
    if (inotify_ >= 0) close(inotify_);
    for (auto& [watch, sources] : sources_) {
      for (DispatchSource* source : sources) source->watch = -1;
    }
    sources_.clear();
    inotify_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    owner_ = getpid();
  }
  if (inotify_ < 0) return false;
  // Again on every source: a run loop reset since the last one dropped its input sources.
  NSRunLoop::mainRunLoop().addInputSource(inotify_, [this] { take(); });
  return true;
}

dispatch_source_t VnodeWatches::create(std::string_view devicePath, unsigned long mask) {
  auto path = DeviceFileSystem::resolve(devicePath);
  struct stat status {};
  if (!path || stat(path->c_str(), &status) != 0) {
    errno = ENOENT;
    return nullptr;
  }
  if (!ensureOpen()) return nullptr;
  const uint32_t events = S_ISDIR(status.st_mode) ? kFolderEvents : kFileEvents;
  const int watch = inotify_add_watch(inotify_, path->c_str(), events);
  if (watch < 0) return nullptr;  // ENOENT: gone meanwhile; ENOSPC: the kernel's limit
  auto [entry, added] = sources_.try_emplace(watch);
  if (added && limit_ != 0 && sources_.size() > limit_) {
    sources_.erase(entry);
    inotify_rm_watch(inotify_, watch);
    errno = ENOSPC;
    return nullptr;
  }
  auto source = std::make_shared<DispatchSource>(mask, watch);
  entry->second.push_back(source.get());
  return source;
}

void VnodeWatches::release(DispatchSource& source) {
  const int watch = std::exchange(source.watch, -1);
  auto entry = sources_.find(watch);
  if (entry == sources_.end()) return;
  std::erase(entry->second, &source);
  if (entry->second.empty()) {
    sources_.erase(entry);
    if (owner_ == getpid()) inotify_rm_watch(inotify_, watch);
  }
}

void VnodeWatches::dropWatch(int watch) {
  auto entry = sources_.find(watch);
  if (entry == sources_.end()) return;
  for (DispatchSource* source : entry->second) source->watch = -1;
  sources_.erase(entry);
}

unsigned long VnodeWatches::flagsOf(const inotify_event& event) {
  unsigned long flags = 0;
  if (event.len > 0) {
    // An event about an entry of a watched folder: only the folder's own list of entries counts.
    if (event.mask & (IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO)) flags |= DISPATCH_VNODE_WRITE;
    return flags;
  }
  if (event.mask & IN_MODIFY) flags |= DISPATCH_VNODE_WRITE;
  if (event.mask & IN_ATTRIB) flags |= DISPATCH_VNODE_ATTRIB;
  if (event.mask & IN_MOVE_SELF) flags |= DISPATCH_VNODE_RENAME;
  // Ignored without a removal first: its file system went away, which is a removal too.
  if (event.mask & (IN_DELETE_SELF | IN_IGNORED)) flags |= DISPATCH_VNODE_DELETE;
  return flags;
}

void VnodeWatches::take() {
  if (owner_ != getpid()) return;
  std::vector<std::shared_ptr<DispatchSource>> due;
  auto note = [&due](DispatchSource* source, unsigned long flags) {
    flags &= source->mask;
    if (flags == 0) return;
    source->pending |= flags;
    auto held = source->shared_from_this();
    if (std::ranges::find(due, held) == due.end()) due.push_back(std::move(held));
  };
  alignas(inotify_event) char buffer[16 * 1024];
  ssize_t length = 0;
  while ((length = read(inotify_, buffer, sizeof buffer)) > 0) {
    for (ssize_t offset = 0; offset < length;) {
      const auto& event = *reinterpret_cast<const inotify_event*>(buffer + offset);
      offset += static_cast<ssize_t>(sizeof(inotify_event) + event.len);
      if (event.mask & IN_Q_OVERFLOW) {
        // The kernel dropped events: everyone hears of everything; a spurious reread is harmless.
        for (auto& [watch, sources] : sources_) {
          for (DispatchSource* source : sources) note(source, ~0UL);
        }
        continue;
      }
      auto entry = sources_.find(event.wd);
      if (entry == sources_.end()) continue;  // given up already
      const unsigned long flags = flagsOf(event);
      for (DispatchSource* source : entry->second) note(source, flags);
      if (event.mask & IN_IGNORED) dropWatch(event.wd);
    }
  }
  for (const auto& source : due) run(source);
}

// Serves a source as the main queue would: its handler, with the events gathered since it last ran.
void VnodeWatches::run(const std::shared_ptr<DispatchSource>& source) {
  if (source->cancelled || source->suspended || source->pending == 0 || !source->handler) return;
  source->data = std::exchange(source->pending, 0);
  auto handler = source->handler;  // the handler may replace itself or cancel its source
  handler();
  source->data = 0;
}

void VnodeWatches::resume(DispatchSource& source) {
  if (source.cancelled || !source.suspended) return;
  source.suspended = false;
  if (source.pending != 0) {
    std::weak_ptr<DispatchSource> weak = source.shared_from_this();
    NSRunLoop::mainRunLoop().performBlock([weak] {
      if (auto held = weak.lock()) run(held);
    });
  }
}

}  // namespace

DispatchSource::~DispatchSource() {
  if (watch >= 0) VnodeWatches::shared().release(*this);
}

dispatch_source_t dispatch_source_create_vnode(std::string_view devicePath, unsigned long mask) {
  return VnodeWatches::shared().create(devicePath, mask);
}

void dispatch_source_set_event_handler(const dispatch_source_t& source, std::function<void()> handler) {
  if (source != nullptr) source->handler = std::move(handler);
}

unsigned long dispatch_source_get_data(const dispatch_source_t& source) {
  return source != nullptr ? source->data : 0;
}

void dispatch_resume(const dispatch_source_t& source) {
  if (source != nullptr) VnodeWatches::shared().resume(*source);
}

void dispatch_suspend(const dispatch_source_t& source) {
  if (source != nullptr) source->suspended = true;
}

void dispatch_source_cancel(const dispatch_source_t& source) {
  if (source == nullptr || source->cancelled) return;
  source->cancelled = true;
  // Dropped at once: the handler may belong to a library about to be unloaded.
  source->handler = nullptr;
  if (source->watch >= 0) VnodeWatches::shared().release(*source);
}

bool dispatch_source_testcancel(const dispatch_source_t& source) {
  return source != nullptr && source->cancelled;
}

void dispatch_vnode_set_watch_limit(size_t watches) {
  VnodeWatches::shared().setLimit(watches);
}

}  // namespace platform::foundation
