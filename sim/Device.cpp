#include "sim/Device.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <memory>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/foundation/PropertyList.h"
#include "platform/foundation/SystemLog.h"
#include "sim/CommandError.h"
#include "sim/ProgramFiles.h"
#include "sim/StateFormat.h"

namespace lunadoze::sim {
namespace {

constexpr std::string_view kPreferencesBundle = "/Library/PreferenceBundles/LunadozePrefs.bundle";

}  // namespace

using platform::foundation::DeviceFileSystem;
using platform::foundation::NSRunLoop;
using platform::foundation::SystemLog;

Device::Device(const std::optional<std::filesystem::path>& root, bool realtime)
    : root_(root, ProgramFiles::stagedDeviceRoot()) {
  DeviceFileSystem::setRoot(root_.path());
  NSRunLoop::mainRunLoop().setRealtime(realtime);
  switchOn();
}

std::filesystem::path Device::hostPath(std::string_view devicePath) const {
  if (auto path = DeviceFileSystem::resolve(devicePath)) return *path;
  throw CommandError(inQuotes(devicePath) + " is not a path on the device (absolute, inside its root)");
}

void Device::switchOn() {
  closeSettingsApp();
  springBoard_.reset();
  NSRunLoop::mainRunLoop().reset();
  // Each script's times start from zero: after a long run of scripts, a clock far from zero
  // would round the millisecond steps that scripts wait for.
  NSRunLoop::mainRunLoop().rewindClock();
  phone_ = std::make_unique<platform::springboard::Phone>();
  springBoard_ = std::make_unique<platform::springboard::SpringBoard>(*phone_);
  SystemLog::clear();
  logClock_.reset();
  clockOrigin_ = NSRunLoop::mainRunLoop().currentTime();
}

void Device::restoreFresh() {
  closeSettingsApp();
  // Its libraries are unloaded before their files are looked at.
  springBoard_.reset();
  root_.restore();
  switchOn();
}

void Device::boot() {
  if (springBoard_->isRunning()) throw CommandError("SpringBoard already runs; respring restarts it");
  SystemLog::clear();
  logClock_.reset();
  springBoard_->boot();
}

void Device::respring() {
  if (!springBoard_->isRunning()) throw CommandError("SpringBoard does not run; boot starts it");
  springBoard_->respring();
}

SettingsProcess& Device::settingsApp() {
  if (settingsApp_ == nullptr) {
    settingsApp_ = std::make_unique<SettingsProcess>(root_.path(), phone().localeIdentifier());
  }
  return *settingsApp_;
}

void Device::closeSettingsApp() {
  settingsApp_.reset();
}

std::vector<std::string> Device::settingKeys() const {
  using platform::foundation::PropertyList;
  std::vector<std::string> keys;
  std::error_code error;
  for (const auto& file : std::filesystem::directory_iterator(hostPath(kPreferencesBundle), error)) {
    if (file.path().extension() != ".plist" || file.path().filename() == "Info.plist") continue;
    auto page = PropertyList::readFile(file.path());
    const PropertyList* items = page ? (*page)["items"] : nullptr;
    if (items == nullptr || items->array() == nullptr) continue;
    for (const PropertyList& item : *items->array()) {
      const PropertyList* key = item["key"];
      if (key != nullptr && key->string()) keys.push_back(*key->string());
    }
  }
  return keys;
}

double Device::clock() const {
  return NSRunLoop::mainRunLoop().currentTime() - clockOrigin_;
}

bool Device::isRealtime() const {
  return NSRunLoop::mainRunLoop().isRealtime();
}

void Device::wait(double seconds) {
  NSRunLoop& loop = NSRunLoop::mainRunLoop();
  if (loop.isRealtime()) {
    constexpr double kTick = 0.25;
    const double end = loop.currentTime() + seconds;
    for (double now = loop.currentTime(); now < end; now = loop.currentTime()) {
      loop.runRealtime(std::min(kTick, end - now));
      if (realtimeTick_) realtimeTick_();
    }
  } else {
    loop.advance(seconds);
  }
}

void Device::runDueEvents() {
  NSRunLoop::mainRunLoop().runDueEvents();
}

void Device::runUntilReadable(int fd, const std::function<void()>& tick) {
  constexpr double kTick = 0.25;
  NSRunLoop& loop = NSRunLoop::mainRunLoop();
  bool readable = false;
  bool watched = false;
  while (!readable) {
    // A respring meanwhile (another process killed backboardd) ends SpringBoard's process and
    // drops every input source of the loop, this one too: the loop would then wait for ever. The
    // callback going away stops the loop, and the descriptor is watched again.
    std::shared_ptr<void> dropped(nullptr, [&loop, &watched](void*) {
      watched = false;
      loop.stop();
    });
    loop.addInputSource(fd, [&loop, &readable, dropped] {
      readable = true;
      loop.stop();
    });
    dropped.reset();
    watched = true;
    while (!readable && watched) {
      loop.runRealtime(tick ? kTick : std::numeric_limits<double>::infinity());
      if (tick && !readable) tick();
    }
  }
  loop.removeInputSource(fd);
}

}  // namespace lunadoze::sim
