#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string_view>

// File-system event sources of the dispatch library (DISPATCH_SOURCE_TYPE_VNODE), their handlers
// run on the main queue: the main run loop takes the events when it runs, in virtual time as in
// real time, never synchronously with the change.
namespace platform::foundation {

// What happened to the watched file or folder since the handler last ran.
inline constexpr unsigned long DISPATCH_VNODE_DELETE = 0x1;   // removed, or replaced by a rename over it
inline constexpr unsigned long DISPATCH_VNODE_WRITE = 0x2;    // a file's contents; a folder's entries
inline constexpr unsigned long DISPATCH_VNODE_ATTRIB = 0x8;   // owner, mode, times, link count
inline constexpr unsigned long DISPATCH_VNODE_RENAME = 0x20;  // moved away from its path

class DispatchSource;
using dispatch_source_t = std::shared_ptr<DispatchSource>;

// A source for the events of `mask` on the file or folder at the device path, suspended until
// dispatch_resume. It follows what is at the path now: once that is removed or renamed, the
// source reports so and hears nothing more. Null with errno set when nothing can be watched
// there: ENOENT when the path leads nowhere (or off the device), ENOSPC when the process holds
// as many watches as it may.
dispatch_source_t dispatch_source_create_vnode(std::string_view devicePath, unsigned long mask);

void dispatch_source_set_event_handler(const dispatch_source_t& source, std::function<void()> handler);
// Inside the handler: the events of the mask that led to this call, ORed together.
unsigned long dispatch_source_get_data(const dispatch_source_t& source);
// Events that arrived while suspended are kept and delivered at the next run of the loop.
void dispatch_resume(const dispatch_source_t& source);
void dispatch_suspend(const dispatch_source_t& source);
// The handler is not called again, even for events already taken; the watch is given up.
void dispatch_source_cancel(const dispatch_source_t& source);
bool dispatch_source_testcancel(const dispatch_source_t& source);

// The kernel's limit on the watches of one process (fs.inotify.max_user_watches), lowered to see
// what a process does when it runs out of them. Zero puts back the kernel's own limit.
void dispatch_vnode_set_watch_limit(size_t watches);

}  // namespace platform::foundation
