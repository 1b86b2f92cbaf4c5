#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/foundation/NSProcessInfo.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/foundation/SystemLog.h"
#include "platform/runtime/Runtime.h"
#include "platform/settings/HBPreferences.h"
#include "platform/springboard/SBMediaController.h"
#include "platform/springboard/simulation/Phone.h"
#include "platform/springboard/simulation/SpringBoard.h"
#include "tests/platform/foundation/TemporaryDirectory.h"
#include "tests/platform/springboard/FreshProcessState.h"
#include "tweak/core/PreferencesIdentifier.h"

namespace platform::springboard {
namespace {

namespace fs = std::filesystem;

class SpringBoardTest : public ::testing::Test {
 protected:
  void SetUp() override { foundation::DeviceFileSystem::setRoot(root_.path()); }

  fs::path librariesDirectory() const { return root_.path() / "Library/MobileSubstrate/DynamicLibraries"; }

  // Installs the tweak that the build staged, with its filter, as its package installs it on a device.
  fs::path installTweak() {
    fs::create_directories(librariesDirectory());
    const fs::path staged = fs::path(LUNADOZE_STAGE_DIR) / "Library/MobileSubstrate/DynamicLibraries";
    fs::copy_file(staged / "Lunadoze.plist", librariesDirectory() / "Lunadoze.plist");
    fs::path installed = librariesDirectory() / "Lunadoze.dylib";
    fs::copy_file(staged / "Lunadoze.dylib", installed);
    return installed;
  }

  // Replaces a library's filter with one whose Filter dictionary holds `entries` (plist XML).
  void writeFilter(const std::string& library, const std::string& entries) {
    std::ofstream(librariesDirectory() / (library + ".plist"))
        << "<plist version=\"1.0\"><dict><key>Filter</key><dict>" << entries << "</dict></dict></plist>";
  }

  static bool logHas(std::string_view text) {
    return std::ranges::any_of(foundation::SystemLog::lines(),
                               [&](const std::string& line) { return line.find(text) != std::string::npos; });
  }

  static bool isLoaded(const fs::path& library) {
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle != nullptr) dlclose(handle);
    return handle != nullptr;
  }

  // The tweak's entry point adds its methods to the media controller when it runs enabled.
  static bool tweakIsHooked() {
    return runtime::class_respondsToSelector(runtime::objc_getClass("SBMediaController"), "stopSnooze");
  }

  FreshProcessState freshProcess_;
  foundation::TemporaryDirectory root_;
  Phone device_;
  SpringBoard springBoard_{device_};
};

TEST_F(SpringBoardTest, BootNamesTheProcessAndStartsItsMediaController) {
  EXPECT_EQ(SBMediaController::sharedInstance(), nullptr);
  springBoard_.boot();
  EXPECT_EQ(foundation::NSProcessInfo::processInfo()->processName(), "SpringBoard");
  EXPECT_EQ(SpringBoard::running(), &springBoard_);
  auto mediaController = SBMediaController::sharedInstance();
  ASSERT_NE(mediaController, nullptr);
  EXPECT_EQ(SBMediaController::sharedInstance(), mediaController);

  springBoard_.respring();
  EXPECT_NE(SBMediaController::sharedInstance(), mediaController);
  springBoard_.shutDown();
  EXPECT_EQ(SpringBoard::running(), nullptr);
  EXPECT_EQ(SBMediaController::sharedInstance(), nullptr);
}

TEST_F(SpringBoardTest, LoaderRunsTheInstalledTweakAtBoot) {
  fs::path tweak = installTweak();
  springBoard_.boot();
  EXPECT_EQ(springBoard_.loadedLibraries(), std::vector<fs::path>{tweak});
  EXPECT_TRUE(isLoaded(tweak));
  EXPECT_TRUE(tweakIsHooked());
}

TEST_F(SpringBoardTest, ShutDownUnloadsTheTweakAndForgetsEveryClass) {
  fs::path tweak = installTweak();
  springBoard_.boot();
  springBoard_.shutDown();
  EXPECT_FALSE(isLoaded(tweak));
  EXPECT_EQ(runtime::objc_getClass("SBMediaController"), nullptr);
  EXPECT_EQ(foundation::NSRunLoop::mainRunLoop().pendingEventCount(), 0u);
  EXPECT_TRUE(springBoard_.loadedLibraries().empty());
}

TEST_F(SpringBoardTest, RespringLoadsTheTweakAfreshWithTheSettingsOnDisk) {
  fs::path tweak = installTweak();
  springBoard_.boot();
  ASSERT_TRUE(tweakIsHooked());

  // Turning the tweak off takes effect only through a fresh load.
  auto settings = settings::HBPreferences::initWithIdentifier(lunadoze::kPreferencesIdentifier);
  settings->setBool(false, "enabled");
  settings->synchronize();
  foundation::NSRunLoop::mainRunLoop().runDueEvents();
  EXPECT_TRUE(tweakIsHooked());

  springBoard_.respring();
  EXPECT_TRUE(isLoaded(tweak));
  EXPECT_FALSE(tweakIsHooked());

  settings->setBool(true, "enabled");
  springBoard_.respring();
  EXPECT_TRUE(tweakIsHooked());
}

TEST_F(SpringBoardTest, SettingsChangesAfterRespringReachOnlyTheLiveTweak) {
  installTweak();
  springBoard_.boot();
  springBoard_.respring();
  springBoard_.respring();
  // A change block or observer left behind by an unloaded copy would run unmapped code here.
  auto settings = settings::HBPreferences::initWithIdentifier(lunadoze::kPreferencesIdentifier);
  settings->setBool(true, "onTimerEndsDND");
  settings->synchronize();
  foundation::NSRunLoop::mainRunLoop().advance(1);
  springBoard_.respring();
  settings->synchronize();
  foundation::NSRunLoop::mainRunLoop().advance(1);
  EXPECT_TRUE(tweakIsHooked());
}

TEST_F(SpringBoardTest, LibraryThatCannotLoadIsLoggedAndSkipped) {
  fs::path tweak = installTweak();
  std::ofstream(librariesDirectory() / "Broken.dylib") << "not a library";
  writeFilter("Broken", "<key>Bundles</key><array><string>com.apple.springboard</string></array>");
  springBoard_.boot();
  EXPECT_EQ(springBoard_.loadedLibraries(), std::vector<fs::path>{tweak});
  const auto& log = foundation::SystemLog::lines();
  EXPECT_TRUE(std::ranges::any_of(
      log, [](const std::string& line) { return line.starts_with("substrate: cannot load Broken.dylib"); }));
  EXPECT_TRUE(tweakIsHooked());
}

TEST_F(SpringBoardTest, LoaderSkipsLibrariesWhoseFilterNamesAnotherProcess) {
  fs::path tweak = installTweak();
  // Names are matched exactly: another app's bundle, or SpringBoard's name in other letters.
  writeFilter("Lunadoze",
              "<key>Bundles</key><array><string>com.apple.Preferences</string></array>"
              "<key>Executables</key><array><string>springboard</string></array>");
  springBoard_.boot();
  EXPECT_TRUE(springBoard_.loadedLibraries().empty());
  EXPECT_FALSE(isLoaded(tweak));
  EXPECT_FALSE(tweakIsHooked());
  // Not meant for this process is no fault: nothing is logged.
  EXPECT_FALSE(logHas("Lunadoze.dylib"));
}

TEST_F(SpringBoardTest, LoaderLoadsLibraryWhoseFilterNamesTheExecutable) {
  fs::path tweak = installTweak();
  writeFilter("Lunadoze", "<key>Executables</key><array><string>SpringBoard</string></array>");
  springBoard_.boot();
  EXPECT_EQ(springBoard_.loadedLibraries(), std::vector<fs::path>{tweak});
  EXPECT_TRUE(tweakIsHooked());
}

TEST_F(SpringBoardTest, LoaderLoadsNoLibraryWithoutAReadableFilter) {
  fs::path tweak = installTweak();
  fs::remove(librariesDirectory() / "Lunadoze.plist");
  springBoard_.boot();
  EXPECT_TRUE(springBoard_.loadedLibraries().empty());
  EXPECT_FALSE(tweakIsHooked());
  EXPECT_TRUE(logHas("substrate: Lunadoze.dylib has no filter, not loaded"));
  springBoard_.shutDown();

  // A filter that is no property list, or whose Filter is no dictionary, names no process either.
  for (const char* contents :
       {"not a plist",
        "<plist version=\"1.0\"><dict><key>Filter</key><string>SpringBoard</string></dict></plist>"}) {
    std::ofstream(librariesDirectory() / "Lunadoze.plist") << contents;
    springBoard_.boot();
    EXPECT_TRUE(springBoard_.loadedLibraries().empty()) << contents;
    EXPECT_FALSE(isLoaded(tweak)) << contents;
    springBoard_.shutDown();
  }
  EXPECT_TRUE(logHas("substrate: Lunadoze.dylib has an unreadable filter, not loaded"));
}

TEST_F(SpringBoardTest, BootWithoutLibrariesDirectoryLoadsNothing) {
  springBoard_.boot();
  EXPECT_TRUE(springBoard_.loadedLibraries().empty());
  EXPECT_FALSE(tweakIsHooked());
}

}  // namespace
}  // namespace platform::springboard
