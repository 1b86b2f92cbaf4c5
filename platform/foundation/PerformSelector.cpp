#include "platform/foundation/PerformSelector.h"

#include <algorithm>
#include <utility>

#include "platform/foundation/NSRunLoop.h"
#include "platform/runtime/Runtime.h"

namespace platform::foundation {

void performSelectorAfterDelay(std::shared_ptr<runtime::NSObject> target, std::string selector,
                               std::shared_ptr<runtime::NSObject> object, double delay) {
  if (target == nullptr) return;  // a message to nil
  NSRunLoop& loop = NSRunLoop::mainRunLoop();
  const runtime::NSObject* key = target.get();
  loop.schedule(
      loop.currentTime() + std::max(0.0, delay),
      [target = std::move(target), selector = std::move(selector), object = std::move(object)] {
        runtime::performSelector(target.get(), selector, object.get());
      },
      NSRunLoopMode::Default, key);
}

void cancelPreviousPerformRequestsWithTarget(const runtime::NSObject* target) {
  NSRunLoop::mainRunLoop().cancelPerformSelectorsWithTarget(target);
}

}  // namespace platform::foundation
