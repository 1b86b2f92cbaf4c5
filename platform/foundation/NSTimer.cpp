#include "platform/foundation/NSTimer.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/runtime/Runtime.h"

namespace platform::foundation {

namespace {

// The device's floor: a timer of no interval would fire in a tight loop.
constexpr double kMinimumInterval = 0.0001;

NSRunLoop& runLoop() {
  return NSRunLoop::mainRunLoop();
}

}  // namespace

runtime::Class* NSTimer::runtimeClass() {
  return runtime::objc_registerClass("NSTimer", &runtime::NSObject::runtimeClass);
}

NSTimer::NSTimer(double interval, bool repeats, std::shared_ptr<runtime::NSObject> target,
                 std::string selector, std::function<void(NSTimer*)> block)
    : interval_(interval > 0 ? interval : kMinimumInterval),
      repeats_(repeats),
      fireDate_(runLoop().currentTime() + interval_),
      target_(std::move(target)),
      selector_(std::move(selector)),
      block_(std::move(block)) {}

std::shared_ptr<NSTimer> NSTimer::timerWithTimeInterval(double interval,
                                                        std::shared_ptr<runtime::NSObject> target,
                                                        std::string selector, bool repeats) {
  return NSTimer::alloc(interval, repeats, std::move(target), std::move(selector), nullptr);
}

std::shared_ptr<NSTimer> NSTimer::timerWithTimeInterval(double interval, bool repeats,
                                                        std::function<void(NSTimer*)> block) {
  return NSTimer::alloc(interval, repeats, nullptr, std::string(), std::move(block));
}

std::shared_ptr<NSTimer> NSTimer::scheduledTimerWithTimeInterval(double interval,
                                                                 std::shared_ptr<runtime::NSObject> target,
                                                                 std::string selector, bool repeats) {
  auto timer = timerWithTimeInterval(interval, std::move(target), std::move(selector), repeats);
  runLoop().addTimer(timer, NSRunLoopMode::Default);
  return timer;
}

std::shared_ptr<NSTimer> NSTimer::scheduledTimerWithTimeInterval(double interval, bool repeats,
                                                                 std::function<void(NSTimer*)> block) {
  auto timer = timerWithTimeInterval(interval, repeats, std::move(block));
  runLoop().addTimer(timer, NSRunLoopMode::Default);
  return timer;
}

void NSTimer::setFireDate(double date) {
  fireDate_ = date;
  if (valid_ && mode_) arm();
}

void NSTimer::invalidate() {
  if (!valid_) return;
  valid_ = false;
  runLoop().cancel(std::exchange(eventId_, 0));
  target_.reset();
  block_ = nullptr;
  runLoop().removeTimer(this);  // may release the last reference to this timer: nothing after it
}

void NSTimer::fire() {
  if (!valid_) return;
  // The callback may invalidate the timer, which drops the timer's references to its target and
  // block and the run loop's to the timer; all three must outlive the call.
  auto self = retained<NSTimer>();
  auto target = target_;
  auto block = block_;
  if (block) {
    block(this);
  } else {
    runtime::performSelector(target.get(), selector_, this);
  }
  if (!repeats_) invalidate();
}

void NSTimer::scheduleIn(NSRunLoopMode mode) {
  mode_ = (!mode_ || *mode_ == mode) ? mode : NSRunLoopMode::Common;
  arm();
}

void NSTimer::arm() {
  runLoop().cancel(eventId_);
  eventId_ = runLoop().schedule(
      fireDate_,
      [weak = weak_from_this()] {
        if (auto timer = std::static_pointer_cast<NSTimer>(weak.lock())) timer->timerFired();
      },
      *mode_);
}

void NSTimer::timerFired() {
  eventId_ = 0;
  fire();
  if (!valid_ || eventId_ != 0) return;  // invalidated, or moved by setFireDate in the callback
  // Keep to the grid so that the timer does not drift; a timer that fell behind (blocked by the
  // tracking mode, say) skips the slots it missed instead of firing them in a burst.
  const double behind = runLoop().currentTime() - fireDate_;
  fireDate_ += (std::floor(std::max(0.0, behind) / interval_) + 1) * interval_;
  arm();
}

}  // namespace platform::foundation
