#include "platform/uikit/UIDevice.h"

namespace platform::uikit {

UIDevice* UIDevice::currentDevice() {
  static UIDevice device;
  return &device;
}

}  // namespace platform::uikit
