#include "tweak/support/WatchedFile.h"

#include <cerrno>
#include <string_view>
#include <utility>

#include "platform/foundation/NSFileManager.h"

namespace lunadoze {
namespace {

namespace dispatch = platform::foundation;

constexpr unsigned long kGone = dispatch::DISPATCH_VNODE_DELETE | dispatch::DISPATCH_VNODE_RENAME;
constexpr unsigned long kChanges = dispatch::DISPATCH_VNODE_WRITE | kGone;

std::string_view folderOf(std::string_view devicePath) {
  const size_t slash = devicePath.rfind('/');
  if (slash == std::string_view::npos) return {};
  return devicePath.substr(0, slash == 0 ? 1 : slash);
}

}  // namespace

bool WatchedFile::exists() {
  if (!current_) watch();
  if (!existenceRead_) {
    exists_ = dispatch::NSFileManager::defaultManager()->fileExistsAtPath(path_);
    existenceRead_ = true;
  }
  return exists_;
}

const std::optional<WatchedFile::Dictionary>& WatchedFile::dictionary() {
  if (!current_) watch();
  if (!contentsRead_) {
    contents_ = dispatch::PropertyList::dictionaryWithContentsOfFile(path_);
    contentsRead_ = true;
  }
  return contents_;
}

void WatchedFile::watch() {
  // New sources are made before the old ones go: the kernel's watches they share are kept, not
  // given up and made anew.
  if (!folderWatched_) {
    // The folder tells of the file's creation, removal and renames onto it; while the folder is
    // missing, the nearest folder that is there tells of the next one's creation.
    dispatch::dispatch_source_t folder;
    std::string_view path = folderOf(path_);
    folderIsParent_ = true;
    for (; !path.empty(); path = path == "/" ? std::string_view() : folderOf(path), folderIsParent_ = false) {
      folder = dispatch::dispatch_source_create_vnode(path, kChanges);
      if (folder != nullptr || errno != ENOENT) break;
    }
    dispatch::dispatch_source_set_event_handler(folder, [this] {
      current_ = false;
      // Whatever is at the path now may be another file.
      fileWatched_ = false;
      const auto events = dispatch::dispatch_source_get_data(folderSource_);
      if (!folderIsParent_ || (events & kGone) != 0) folderWatched_ = false;
    });
    dispatch::dispatch_resume(folder);
    dispatch::dispatch_source_cancel(std::exchange(folderSource_, std::move(folder)));
    folderWatched_ = folderSource_ != nullptr;
    // Unheard until now: the file may have come or gone meanwhile.
    fileWatched_ = false;
  }
  if (!fileWatched_) {
    // The file itself tells of writes into it; a missing one needs no watch until it appears.
    auto file = dispatch::dispatch_source_create_vnode(path_, kChanges | dispatch::DISPATCH_VNODE_ATTRIB);
    fileWatched_ = file != nullptr || errno == ENOENT;
    dispatch::dispatch_source_set_event_handler(file, [this] {
      current_ = false;
      if ((dispatch::dispatch_source_get_data(fileSource_) & kGone) != 0) fileWatched_ = false;
    });
    dispatch::dispatch_resume(file);
    dispatch::dispatch_source_cancel(std::exchange(fileSource_, std::move(file)));
  }
  current_ = folderWatched_ && fileWatched_;
  // Read again from here on: a change made from now on is heard.
  existenceRead_ = contentsRead_ = false;
}

void WatchedFile::unwatch() {
  dispatch::dispatch_source_cancel(std::exchange(folderSource_, nullptr));
  dispatch::dispatch_source_cancel(std::exchange(fileSource_, nullptr));
  current_ = folderWatched_ = fileWatched_ = false;
}

}  // namespace lunadoze
