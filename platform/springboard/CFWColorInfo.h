#pragma once

#include <memory>
#include <string_view>

#include "platform/runtime/NSObject.h"

namespace platform::uikit {
class UIColor;
}

namespace platform::springboard {

// The colour information that the outside colouring tweak hands to the media controls it
// colours. Only its primary colour is modelled.
class CFWColorInfo : public runtime::NSObject {
  RUNTIME_CLASS(CFWColorInfo)

 public:
  static constexpr const char* kPrimaryColorKey = "primaryColor";

  static std::shared_ptr<CFWColorInfo> create(std::shared_ptr<uikit::UIColor> primaryColor);

  // valueForKey:, null for a key it does not hold.
  std::shared_ptr<uikit::UIColor> valueForKey(std::string_view key) const;

 private:
  std::shared_ptr<uikit::UIColor> primaryColor_;
};

}  // namespace platform::springboard
