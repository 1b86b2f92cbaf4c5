#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace platform::foundation {

// The Darwin notification centre: named notifications without payload, across processes of one
// device. A post reaches every observer of the name in every process of the device (the posting
// one included) on its main run loop, at the next turn after the post; never synchronously.
// Posts of one name that arrive together are delivered once, as the device coalesces them.
// Each name is a file of the device (escaped, it must fit in a file name: 255 bytes).
class CFNotificationCenter;
using CFNotificationCenterRef = CFNotificationCenter*;
using CFNotificationCallback = std::function<void(const std::string& name)>;

CFNotificationCenterRef CFNotificationCenterGetDarwinNotifyCenter();

// A post with an empty name reaches no one.
void CFNotificationCenterPostNotification(CFNotificationCenterRef center, std::string_view name);

// `observer` is the token that identifies the registration for removal; one observer may watch
// several names. Adding the same observer and name again replaces its callback.
void CFNotificationCenterAddObserver(CFNotificationCenterRef center, const void* observer,
                                     std::string_view name, CFNotificationCallback callback);
// A removed callback is not called again, even for a post already on its way.
void CFNotificationCenterRemoveObserver(CFNotificationCenterRef center, const void* observer,
                                        std::string_view name);
void CFNotificationCenterRemoveEveryObserver(CFNotificationCenterRef center, const void* observer);
// Every observer of every name: the process starts over.
void CFNotificationCenterRemoveAllObservers(CFNotificationCenterRef center);

}  // namespace platform::foundation
