#pragma once

namespace platform::springboard {

// Everything the platform keeps per process, in one place: a test that needs a process as it
// started, and a SpringBoard that stops, reset it here rather than singleton by singleton.
class ProcessState {
 public:
  // The process as it started: SpringBoard's objects and classes (below), every notification
  // observer, the virtual clock, the current locale, the system log and the device's system
  // version. For tests; a running program never goes back this far.
  static void reset();

  // What a stopping SpringBoard leaves behind, in two steps around unloading its libraries: the
  // objects go first (timers and views whose code lives in a library), the classes after.
  // The shared application, the haptics count and the main run loop's events and sources.
  static void releaseObjects();
  // Every registered class with its methods and hooks.
  static void disposeClasses();
};

}  // namespace platform::springboard
