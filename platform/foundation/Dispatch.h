#pragma once

#include <functional>

// The main queue of the dispatch library, served by the main run loop in all its modes.
namespace platform::foundation {

// dispatch_async(dispatch_get_main_queue(), block): runs after the current event, at the clock
// it was queued at.
void dispatch_async_main(std::function<void()> block);

// dispatch_after(dispatch_time(DISPATCH_TIME_NOW, delay), dispatch_get_main_queue(), block).
// A negative delay counts as none.
void dispatch_after(double delaySeconds, std::function<void()> block);

}  // namespace platform::foundation
