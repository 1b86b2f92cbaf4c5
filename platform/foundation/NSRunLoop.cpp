#include "platform/foundation/NSRunLoop.h"

#include <poll.h>

#include <algorithm>
#include <cassert>
#include <chrono>
#include <climits>
#include <cmath>
#include <utility>

#include "platform/foundation/NSTimer.h"

namespace platform::foundation {

namespace {

size_t indexOf(NSRunLoopMode mode) {
  return static_cast<size_t>(mode);
}

}  // namespace

NSRunLoop& NSRunLoop::mainRunLoop() {
  // Never destroyed: work still queued at exit may hold objects whose destructors reach the loop.
  static auto* loop = new NSRunLoop;
  return *loop;
}

double NSRunLoop::wallClock() const {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double NSRunLoop::currentTime() const {
  return realtime_ ? wallClock() - wallOrigin_ : clock_;
}

void NSRunLoop::setCurrentMode(NSRunLoopMode mode) {
  assert(mode != NSRunLoopMode::Common && "the loop runs in one mode at a time");
  mode_ = mode;
}

void NSRunLoop::setRealtime(bool realtime) {
  if (realtime == realtime_) return;
  if (realtime) {
    wallOrigin_ = wallClock() - clock_;
  } else {
    clock_ = currentTime();
  }
  realtime_ = realtime;
}

uint64_t NSRunLoop::enqueue(double due, double latency, std::function<void()> work, NSRunLoopMode mode,
                            const runtime::NSObject* target) {
  if (!work) return 0;
  const uint64_t id = nextSequence_++;
  queues_[indexOf(mode)].emplace(Key{due, id}, Event{std::move(work), latency, target});
  dueById_.emplace(id, std::pair{mode, due});
  return id;
}

uint64_t NSRunLoop::schedule(double dueTime, std::function<void()> work, NSRunLoopMode mode,
                             const runtime::NSObject* target) {
  return enqueue(dueTime, kDispatchLatency, std::move(work), mode, target);
}

void NSRunLoop::performBlock(std::function<void()> work) {
  enqueue(currentTime(), kDispatchLatency, std::move(work), NSRunLoopMode::Common, nullptr);
}

void NSRunLoop::cancel(uint64_t eventId) {
  auto found = dueById_.find(eventId);
  if (found == dueById_.end()) return;
  auto [mode, due] = found->second;
  dueById_.erase(found);
  // The extracted work is destroyed on return, once the queue is consistent again: what it
  // releases may call back into the loop.
  auto node = queues_[indexOf(mode)].extract(Key{due, eventId});
}

void NSRunLoop::cancelPerformSelectorsWithTarget(const runtime::NSObject* target) {
  if (target == nullptr) return;
  std::vector<uint64_t> ids;
  for (const Queue& queue : queues_) {
    for (const auto& [key, event] : queue) {
      if (event.target == target) ids.push_back(key.sequence);
    }
  }
  for (uint64_t id : ids) cancel(id);
}

size_t NSRunLoop::pendingEventCount() const {
  return dueById_.size();
}

NSRunLoop::Queue* NSRunLoop::nextQueue() {
  Queue* best = nullptr;
  for (NSRunLoopMode mode : {NSRunLoopMode::Common, mode_}) {
    Queue& queue = queues_[indexOf(mode)];
    if (!queue.empty() && (best == nullptr || queue.begin()->first < best->begin()->first)) best = &queue;
  }
  return best;
}

void NSRunLoop::runEventsDueBy(double limit) {
  while (Queue* queue = nextQueue()) {
    if (queue->begin()->first.due > limit) return;
    auto node = queue->extract(queue->begin());
    dueById_.erase(node.key().sequence);
    // An overdue event runs now; the clock never goes back.
    if (!realtime_) clock_ = std::max(clock_, node.key().due + node.mapped().latency);
    node.mapped().work();
    if (dispatchObserver_) dispatchObserver_();
  }
}

void NSRunLoop::advance(double seconds) {
  assert(!realtime_ && "advance drives virtual time only");
  const double target = clock_ + std::max(0.0, seconds);
  pollInput(0);
  runEventsDueBy(target);
  clock_ = std::max(clock_, target);
}

void NSRunLoop::runDueEvents() {
  pollInput(0);
  runEventsDueBy(currentTime());
  if (dispatchObserver_) dispatchObserver_();
}

void NSRunLoop::runRealtime(double seconds) {
  setRealtime(true);
  stopped_ = false;
  const double end = currentTime() + std::max(0.0, seconds);
  runDueEvents();
  while (!stopped_) {
    const double now = currentTime();
    if (now >= end) break;
    double wake = end;
    if (Queue* queue = nextQueue()) wake = std::min(wake, queue->begin()->first.due);
    pollInput(wake - now);
    runEventsDueBy(currentTime());
  }
}

void NSRunLoop::addInputSource(int fd, std::function<void()> onReadable) {
  removeInputSource(fd);
  inputSources_.emplace_back(fd, std::move(onReadable));
}

void NSRunLoop::removeInputSource(int fd) {
  std::erase_if(inputSources_, [fd](const auto& source) { return source.first == fd; });
}

void NSRunLoop::pollInput(double seconds) {
  if (seconds <= 0 && inputSources_.empty()) return;  // nothing to wait for, and no system call
  int timeoutMs = -1;
  if (std::isfinite(seconds)) {
    // Rounded up: waking before the deadline would only spin until it comes.
    timeoutMs = static_cast<int>(std::min(std::ceil(std::max(0.0, seconds) * 1000), double{INT_MAX}));
  }
  std::vector<pollfd> fds;
  for (const auto& [fd, onReadable] : inputSources_) fds.push_back({fd, POLLIN, 0});
  if (poll(fds.data(), fds.size(), timeoutMs) <= 0) return;  // timed out, or interrupted
  for (const pollfd& polled : fds) {
    if (polled.revents == 0) continue;
    auto source = std::ranges::find(inputSources_, polled.fd, &std::pair<int, std::function<void()>>::first);
    if (source == inputSources_.end()) continue;  // removed by an earlier callback
    if (polled.revents & POLLNVAL) {
      // Closed without being removed: it would wake every poll from now on.
      inputSources_.erase(source);
      continue;
    }
    auto onReadable = source->second;  // the callback may remove its own source
    onReadable();
  }
}

// NOLINTNEXTLINE(performance-unnecessary-value-param): moved into the table; clang-tidy 14 misses it.
void NSRunLoop::addTimer(std::shared_ptr<NSTimer> timer, NSRunLoopMode mode) {
  if (timer == nullptr || !timer->isValid()) return;
  NSTimer* raw = timer.get();
  timers_.try_emplace(raw, std::move(timer));
  raw->scheduleIn(mode);
}

void NSRunLoop::removeTimer(const NSTimer* timer) {
  // May hold the last reference to the timer; destroyed on return.
  auto node = timers_.extract(timer);
}

void NSRunLoop::reset() {
  // Take everything out first: what the invalidations and the dropped work release may call back
  // into the loop, and must find it empty.
  auto timers = std::exchange(timers_, {});
  auto queues = std::exchange(queues_, {});
  auto dueById = std::exchange(dueById_, {});
  auto inputSources = std::exchange(inputSources_, {});
  mode_ = NSRunLoopMode::Default;
  stopped_ = false;
  for (auto& [raw, timer] : timers) timer->invalidate();
}

}  // namespace platform::foundation
