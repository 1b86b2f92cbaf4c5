#pragma once

#include <filesystem>
#include <memory>
#include <vector>

namespace platform::springboard {

class Device;
class SBMediaController;

// The SpringBoard process of a simulated device. A boot starts it as the device does: the process
// is named "SpringBoard", the host classes of the device's system version exist, and the substrate
// loader opens every library installed in kDynamicLibrariesPath (their load-time constructors run
// there and then). A respring ends the process and boots a new one: every object of the old one
// is gone, its libraries are unloaded and its classes forgotten, so the next boot starts from a
// fresh process state. What outlives a respring belongs to the Device.
class SpringBoard {
 public:
  static constexpr const char* kDynamicLibrariesPath = "/Library/MobileSubstrate/DynamicLibraries/";

  explicit SpringBoard(Device& device);
  ~SpringBoard();
  SpringBoard(const SpringBoard&) = delete;
  SpringBoard& operator=(const SpringBoard&) = delete;

  // The running SpringBoard, or null. One runs at a time.
  static SpringBoard* running();

  void boot();
  void shutDown();
  void respring();
  bool isRunning() const { return process_ != nullptr; }

  Device& device() const { return device_; }
  // The process's media controller; null while not running.
  std::shared_ptr<SBMediaController> mediaController() const;
  // The host paths of the libraries the loader opened, in load order.
  std::vector<std::filesystem::path> loadedLibraries() const;

 private:
  struct Process;
  struct Library {
    std::filesystem::path path;
    void* handle;
  };

  void registerHostClasses();
  void loadDynamicLibraries();

  Device& device_;
  std::unique_ptr<Process> process_;
  std::vector<Library> libraries_;
};

}  // namespace platform::springboard
