#include "platform/springboard/simulation/ProcessState.h"

#include "platform/foundation/CFNotificationCenter.h"
#include "platform/foundation/NSDate.h"
#include "platform/foundation/NSLocale.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/foundation/SystemLog.h"
#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIDevice.h"
#include "platform/uikit/UIImpactFeedbackGenerator.h"

namespace platform::springboard {

void ProcessState::reset() {
  releaseObjects();
  disposeClasses();
  foundation::NSRunLoop::mainRunLoop().rewindClock();
  foundation::NSDate::setDeviceStartDate(0, 0);
  foundation::CFNotificationCenterRemoveAllObservers(foundation::CFNotificationCenterGetDarwinNotifyCenter());
  foundation::NSLocale::setCurrentLocaleIdentifier("en_US");
  foundation::SystemLog::clear();
  uikit::UIDevice::currentDevice()->setSystemVersion(uikit::UIDevice::kDefaultSystemVersion);
}

void ProcessState::releaseObjects() {
  uikit::UIApplication::sharedApplication().reset();
  uikit::UIImpactFeedbackGenerator::resetImpactCount();
  foundation::NSRunLoop::mainRunLoop().reset();
}

void ProcessState::disposeClasses() {
  runtime::objc_disposeAllClasses();
}

}  // namespace platform::springboard
