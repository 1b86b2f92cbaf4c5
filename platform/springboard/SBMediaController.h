#pragma once

#include <memory>
#include <optional>

#include "platform/foundation/PropertyList.h"
#include "platform/runtime/NSObject.h"

namespace platform::springboard {

// SpringBoard's media controller: the now-playing information of the process, and the object
// that media services are asked through.
class SBMediaController : public runtime::NSObject {
 public:
  static runtime::Class* runtimeClass();
  runtime::Class* isa() const override { return runtimeClass(); }

  // The running SpringBoard's one media controller; nil when no SpringBoard runs.
  static std::shared_ptr<SBMediaController> sharedInstance();

  // Sent on every now-playing update; null clears the information.
  void setNowPlayingInfo(const foundation::PropertyList::Dictionary* info);
  // The last information received, or null.
  const foundation::PropertyList::Dictionary* nowPlayingInfo() const {
    return nowPlayingInfo_ ? &*nowPlayingInfo_ : nullptr;
  }

 private:
  std::optional<foundation::PropertyList::Dictionary> nowPlayingInfo_;
};

}  // namespace platform::springboard
