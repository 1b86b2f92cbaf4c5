#include "platform/foundation/Dispatch.h"

#include <algorithm>
#include <utility>

#include "platform/foundation/NSRunLoop.h"

namespace platform::foundation {

void dispatch_async_main(std::function<void()> block) {
  NSRunLoop::mainRunLoop().performBlock(std::move(block));
}

void dispatch_after(double delaySeconds, std::function<void()> block) {
  NSRunLoop& loop = NSRunLoop::mainRunLoop();
  loop.schedule(loop.currentTime() + std::max(0.0, delaySeconds), std::move(block));
}

}  // namespace platform::foundation
