#pragma once

namespace platform::uikit {

// Registers every UIKit class with the runtime, as loading the framework does in a process on the
// device: afterwards NSClassFromString finds them (a class is otherwise registered on first use).
// Run at process start and again after objc_disposeAllClasses.
void loadUIKit();

}  // namespace platform::uikit
