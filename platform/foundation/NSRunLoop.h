#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

namespace platform::runtime {
class NSObject;
}

namespace platform::foundation {

class NSTimer;

// Common is a set of modes, not a mode the loop runs in: its entries run in Default and in Tracking.
enum class NSRunLoopMode { Default, Tracking, Common };

// The main thread's run loop and the clock it owns. In virtual time (the default, and in every
// test) nothing waits: advance() runs what falls due in the span. In real time the loop sleeps in
// poll() until the next due event or readable input.
//
// Work takes time: an event the loop dispatches runs with the clock reading kDispatchLatency after
// the moment it was due. Events due at equal times run in the order they were scheduled.
class NSRunLoop {
 public:
  static constexpr double kDispatchLatency = 0.001;

  static NSRunLoop& mainRunLoop();

  NSRunLoop(const NSRunLoop&) = delete;
  NSRunLoop& operator=(const NSRunLoop&) = delete;

  // Seconds since the device started.
  double currentTime() const;
  // Default or Tracking. Leaving Tracking lets overdue default-mode entries run at the next run.
  NSRunLoopMode currentMode() const { return mode_; }
  void setCurrentMode(NSRunLoopMode mode);

  // Virtual time: delivers arrived input, runs every event due up to now + seconds that the
  // current mode allows, in (due, sequence) order, then sets the clock to now + seconds. Events
  // scheduled while it drains run in the same call when they fall due within the span.
  void advance(double seconds);
  // Delivers arrived input and runs what is due now.
  void runDueEvents();

  // Real time: the clock follows the wall clock from its current reading on. Switching back
  // freezes it where it stands.
  void setRealtime(bool realtime);
  bool isRealtime() const { return realtime_; }
  // Runs the loop in real time (switching to it) for `seconds` of wall time, sleeping in poll()
  // between events; returns early when stop() is called from inside.
  void runRealtime(double seconds);
  void stop() { stopped_ = true; }

  // The low-level entry behind timers, dispatch and animation completions. `target`, when given,
  // lets cancelPerformSelectorsWithTarget find the entry.
  uint64_t schedule(double dueTime, std::function<void()> work, NSRunLoopMode mode = NSRunLoopMode::Common,
                    const runtime::NSObject* target = nullptr);
  // Runs the work on the loop's next turn (dispatch_async onto the main queue): due when it was
  // queued, it runs after the current event, a dispatch latency later like every dispatched event.
  void performBlock(std::function<void()> work);
  // Unknown, already run and already cancelled ids are ignored.
  void cancel(uint64_t eventId);
  void cancelPerformSelectorsWithTarget(const runtime::NSObject* target);
  size_t pendingEventCount() const;

  // addTimer:forMode:. The loop retains the timer until it is invalidated. Adding a scheduled
  // timer for a second mode makes it fire in both.
  void addTimer(std::shared_ptr<NSTimer> timer, NSRunLoopMode mode);

  // A readable descriptor (the cross-process notification centre's inotify) is checked without
  // blocking on each run and waited on in real time. One callback per descriptor.
  void addInputSource(int fd, std::function<void()> onReadable);
  void removeInputSource(int fd);

  // Called after every event the loop dispatches and after each runDueEvents, for an onlooker
  // that follows the device event by event; one at a time, an empty function removes it. reset()
  // keeps it: it belongs to no process.
  void setDispatchObserver(std::function<void()> observer) { dispatchObserver_ = std::move(observer); }

  // A process that ends: every pending event, timer (invalidated, so its target is released) and
  // input source is dropped, the mode goes back to Default. The clock keeps its reading: the
  // device's clock does not restart with the process.
  void reset();
  // The clock back at its first reading, for a process state as at start; between resets only.
  void rewindClock() { clock_ = 0; }

 private:
  friend class NSTimer;

  struct Key {
    double due;
    uint64_t sequence;
    auto operator<=>(const Key&) const = default;  // NOLINT(modernize-use-nullptr): the 0 is the compiler's
  };
  struct Event {
    std::function<void()> work;
    double latency;
    const runtime::NSObject* target;
  };
  using Queue = std::map<Key, Event>;

  NSRunLoop() = default;

  uint64_t enqueue(double due, double latency, std::function<void()> work, NSRunLoopMode mode,
                   const runtime::NSObject* target);
  // The earliest event the current mode allows, or null.
  Queue* nextQueue();
  // Runs the allowed events due at or before `limit`, including those scheduled meanwhile.
  void runEventsDueBy(double limit);
  // Waits up to `seconds` (0: not at all; infinite: until input) and runs the readable sources.
  void pollInput(double seconds);
  void removeTimer(const NSTimer* timer);
  double wallClock() const;

  double clock_ = 0;
  bool realtime_ = false;
  double wallOrigin_ = 0;  // wall clock minus device clock while in real time
  bool stopped_ = false;
  NSRunLoopMode mode_ = NSRunLoopMode::Default;
  uint64_t nextSequence_ = 1;
  std::array<Queue, 3> queues_;  // by NSRunLoopMode
  std::unordered_map<uint64_t, std::pair<NSRunLoopMode, double>> dueById_;
  std::unordered_map<const NSTimer*, std::shared_ptr<NSTimer>> timers_;
  std::vector<std::pair<int, std::function<void()>>> inputSources_;
  std::function<void()> dispatchObserver_;
};

}  // namespace platform::foundation
