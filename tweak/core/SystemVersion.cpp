#include "tweak/core/SystemVersion.h"

#include "platform/foundation/NSString.h"
#include "platform/uikit/UIDevice.h"

namespace lunadoze {

float systemVersion() {
  return platform::foundation::floatValue(platform::uikit::UIDevice::currentDevice()->systemVersion());
}

}  // namespace lunadoze
