#include "platform/preferences/HBAppearanceSettings.h"

#include "platform/runtime/Runtime.h"

namespace platform::preferences {

runtime::Class* HBAppearanceSettings::runtimeClass() {
  return runtime::objc_registerClass("HBAppearanceSettings", &runtime::NSObject::runtimeClass);
}

}  // namespace platform::preferences
