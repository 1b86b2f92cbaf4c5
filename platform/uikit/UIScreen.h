#pragma once

#include "platform/runtime/NSObject.h"
#include "platform/uikit/CGGeometry.h"

namespace platform::uikit {

// The device's display.
class UIScreen : public runtime::NSObject {
  RUNTIME_CLASS(UIScreen)

 public:
  static UIScreen& mainScreen();

  // A phone of 375 by 667 points at two pixels a point.
  CGRect bounds() const { return CGRectMake(0, 0, 375, 667); }
  CGFloat scale() const { return 2; }

 private:
};

}  // namespace platform::uikit
