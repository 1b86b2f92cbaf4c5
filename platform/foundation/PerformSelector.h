#pragma once

#include <memory>
#include <string>
#include <utility>

#include "platform/runtime/NSObject.h"

// NSObject's delayed performs. They live here rather than on NSObject because the runtime sits
// below the run loop.
namespace platform::foundation {

// [target performSelector:selector withObject:object afterDelay:delay]: sent through
// runtime::performSelector in the run loop's default mode; target and object are retained until
// it runs or is cancelled.
void performSelectorAfterDelay(std::shared_ptr<runtime::NSObject> target, std::string selector,
                               std::shared_ptr<runtime::NSObject> object, double delay);
template <runtime::Performable Signature>
void performSelectorAfterDelay(std::shared_ptr<runtime::NSObject> target,
                               const runtime::Selector<Signature>& selector,
                               std::shared_ptr<runtime::NSObject> object, double delay) {
  performSelectorAfterDelay(std::move(target), std::string(selector.name()), std::move(object), delay);
}

// [NSObject cancelPreviousPerformRequestsWithTarget:target]
void cancelPreviousPerformRequestsWithTarget(const runtime::NSObject* target);

}  // namespace platform::foundation
