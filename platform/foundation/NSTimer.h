#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/NSRunLoop.h"
#include "platform/runtime/NSObject.h"

namespace platform::foundation {

// A timer of the main run loop. As on the device, the timer retains its target (or block) and the
// run loop retains the timer, both until invalidate(); a one-shot timer invalidates itself after
// it fires. A repeating timer keeps to its grid (fire date + n * interval) and, when it falls
// behind, fires once and resumes at the next future slot rather than catching up in a burst.
class NSTimer : public runtime::NSObject {
  RUNTIME_CLASS_WITH_CONSTRUCTORS(NSTimer)
  NSTimer(double interval, bool repeats, std::shared_ptr<runtime::NSObject> target, std::string selector,
          std::function<void(NSTimer*)> block);

 public:
  // The selector is sent through runtime::performSelector with the timer as its argument.
  // Scheduled in the default mode.
  static std::shared_ptr<NSTimer> scheduledTimerWithTimeInterval(double interval,
                                                                 std::shared_ptr<runtime::NSObject> target,
                                                                 std::string selector, bool repeats);
  template <runtime::Performable Signature>
  static std::shared_ptr<NSTimer> timerWithTimeInterval(double interval,
                                                        std::shared_ptr<runtime::NSObject> target,
                                                        const runtime::Selector<Signature>& selector,
                                                        bool repeats) {
    return timerWithTimeInterval(interval, std::move(target), std::string(selector.name()), repeats);
  }
  template <runtime::Performable Signature>
  static std::shared_ptr<NSTimer> scheduledTimerWithTimeInterval(double interval,
                                                                 std::shared_ptr<runtime::NSObject> target,
                                                                 const runtime::Selector<Signature>& selector,
                                                                 bool repeats) {
    return scheduledTimerWithTimeInterval(interval, std::move(target), std::string(selector.name()), repeats);
  }
  static std::shared_ptr<NSTimer> scheduledTimerWithTimeInterval(double interval, bool repeats,
                                                                 std::function<void(NSTimer*)> block);
  // Not scheduled yet: NSRunLoop::addTimer does that.
  static std::shared_ptr<NSTimer> timerWithTimeInterval(double interval,
                                                        std::shared_ptr<runtime::NSObject> target,
                                                        std::string selector, bool repeats);
  static std::shared_ptr<NSTimer> timerWithTimeInterval(double interval, bool repeats,
                                                        std::function<void(NSTimer*)> block);

  // Stays readable once passed and after invalidation.
  double fireDate() const { return fireDate_; }
  // Moves the next firing; a repeating timer's grid starts again from the new date.
  void setFireDate(double date);
  double timeInterval() const { return interval_; }
  bool isValid() const { return valid_; }
  // Removes the timer from the run loop and releases its target or block; safe from the timer's
  // own callback.
  void invalidate();
  // Fires now without moving a repeating timer's schedule; a one-shot timer is then invalidated.
  void fire();

 private:
  friend class NSRunLoop;

  void scheduleIn(NSRunLoopMode mode);
  void arm();
  void timerFired();

  double interval_;
  bool repeats_;
  double fireDate_;
  bool valid_ = true;
  std::shared_ptr<runtime::NSObject> target_;
  std::string selector_;
  std::function<void(NSTimer*)> block_;
  std::optional<NSRunLoopMode> mode_;  // set once added to the run loop
  uint64_t eventId_ = 0;               // the pending firing, 0 when none
};

}  // namespace platform::foundation
