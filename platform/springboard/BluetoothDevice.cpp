#include "platform/springboard/BluetoothDevice.h"

#include "platform/runtime/Runtime.h"

namespace platform::springboard {

runtime::Class* BluetoothDevice::runtimeClass() {
  return runtime::objc_registerClass("BluetoothDevice", &NSObject::runtimeClass);
}

}  // namespace platform::springboard
