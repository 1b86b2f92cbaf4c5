#include "platform/springboard/CFWColorInfo.h"

#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIColor.h"

namespace platform::springboard {

runtime::Class* CFWColorInfo::runtimeClass() {
  return runtime::objc_registerClass("CFWColorInfo", &NSObject::runtimeClass);
}

std::shared_ptr<CFWColorInfo> CFWColorInfo::create(std::shared_ptr<uikit::UIColor> primaryColor) {
  auto info = CFWColorInfo::alloc();
  info->primaryColor_ = std::move(primaryColor);
  return info;
}

std::shared_ptr<uikit::UIColor> CFWColorInfo::valueForKey(std::string_view key) const {
  return key == kPrimaryColorKey ? primaryColor_ : nullptr;
}

}  // namespace platform::springboard
