#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/foundation/PropertyList.h"
#include "platform/settings/HBPreferences.h"
#include "platform/uikit/UIControl.h"
#include "platform/uikit/UIImpactFeedbackGenerator.h"
#include "platform/uikit/UIKit.h"
#include "tests/platform/foundation/TemporaryDirectory.h"
#include "tests/tweak/core/FreshTweakProcessState.h"
#include "tests/tweak/core/TweakTest.h"
#include "tweak/core/Settings.h"

namespace lunadoze {

// A device with the staged resource bundle and a settings domain of its own, so that a test may
// write settings. Time is virtual: nothing happens until the test advances the clock.
class PanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    installResourceBundle(root_.path());
    std::filesystem::create_directories(root_.path() / "var/mobile/Library/Preferences");
    platform::foundation::DeviceFileSystem::setRoot(root_.path());
    // SpringBoard has UIKit loaded, so haptics find their class.
    platform::uikit::loadUIKit();
  }

  static void advance(double seconds) { platform::foundation::NSRunLoop::mainRunLoop().advance(seconds); }
  static int64_t impacts() { return platform::uikit::UIImpactFeedbackGenerator::impactCount(); }
  // A person's tap: touch-up-inside.
  static void tap(platform::uikit::UIControl& control) {
    control.sendActionsForControlEvents(platform::uikit::UIControlEventTouchUpInside);
  }

  // The domain as another process (the preferences pane) reads it.
  std::shared_ptr<platform::settings::HBPreferences> domain() {
    return platform::settings::HBPreferences::initWithIdentifier(kPreferencesIdentifier);
  }
  std::optional<bool> storedBool(std::string_view key) {
    auto value = domain()->objectForKey(key);
    if (!value) return std::nullopt;
    return value->boolValue();
  }

  FreshTweakProcessState freshProcess_;
  platform::foundation::TemporaryDirectory root_;
};

}  // namespace lunadoze
