#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/settings/HBPreferences.h"
#include "platform/springboard/simulation/Phone.h"
#include "platform/springboard/simulation/SpringBoard.h"
#include "tests/platform/foundation/TemporaryDirectory.h"
#include "tests/tweak/core/FreshTweakProcessState.h"
#include "tests/tweak/core/InstallResourceBundle.h"
#include "tweak/core/Settings.h"

namespace lunadoze {

// A fresh device whose SpringBoard runs with no library installed: the test loads the tweak by
// calling its entry point, as the library's constructor does inside SpringBoard. Settings are
// written as the preferences pane writes them, from an object of its own.
class TweakTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::foundation::DeviceFileSystem::setRoot(root_.path()); }

  void boot(std::string systemVersion = "14.4") {
    device_.setSystemVersion(std::move(systemVersion));
    springBoard_.boot();
  }

  // The pane's side of the settings domain.
  platform::settings::HBPreferences& pane() {
    if (!pane_) pane_ = platform::settings::HBPreferences::initWithIdentifier(kPreferencesIdentifier);
    return *pane_;
  }
  // Announces the pane's writes and lets SpringBoard's run loop deliver them.
  void synchronizeAndDeliver() {
    pane().synchronize();
    platform::foundation::NSRunLoop::mainRunLoop().runDueEvents();
  }

  FreshTweakProcessState freshProcess_;
  platform::foundation::TemporaryDirectory root_;
  platform::springboard::Phone device_;
  platform::springboard::SpringBoard springBoard_{device_};
  std::shared_ptr<platform::settings::HBPreferences> pane_;
};

}  // namespace lunadoze
