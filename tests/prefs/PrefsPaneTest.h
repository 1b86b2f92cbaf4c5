#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/foundation/NSBundle.h"
#include "platform/foundation/NSLocale.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/preferences/PSListController.h"
#include "platform/preferences/PSSpecifier.h"
#include "platform/runtime/Runtime.h"
#include "platform/settings/HBPreferences.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UITableViewCell.h"
#include "platform/uikit/UIWindow.h"
#include "prefs/LDPrefsListController.h"
#include "prefs/LDSubPrefsListController.h"
#include "tests/platform/foundation/TemporaryDirectory.h"
#include "tests/tweak/core/FreshTweakProcessState.h"
#include "tweak/core/PreferencesIdentifier.h"

namespace lunadoze::prefs {

// A device with the preferences bundle installed and the pane's pages opened as the Settings app
// opens them: inside its two navigation controllers, every row displayed in list order.
class PrefsPaneTest : public ::testing::Test {
 protected:
  static constexpr const char* kBundlePath = "/Library/PreferenceBundles/LunadozePrefs.bundle";

  void SetUp() override {
    std::filesystem::create_directories(device.path() / "Library/PreferenceBundles");
    std::filesystem::copy(std::filesystem::path(LUNADOZE_STAGE_DIR) / "Library/PreferenceBundles",
                          device.path() / "Library/PreferenceBundles",
                          std::filesystem::copy_options::recursive);
    platform::foundation::DeviceFileSystem::setRoot(device.path());
    platform::foundation::NSLocale::setCurrentLocaleIdentifier("en_US");
    // Registered as the bundle's load registers them; the fresh process state took them away.
    LDPrefsListController::runtimeClass();
    LDSubPrefsListController::runtimeClass();
    settingsList = platform::uikit::UIViewController::create();
    inner = platform::uikit::UINavigationController::initWithRootViewController(settingsList);
    outer = platform::uikit::UINavigationController::initWithRootViewController(inner);
    // The app's window, where pages present their alerts.
    window = platform::uikit::UIWindow::create(platform::uikit::UIScreen::mainScreen().bounds());
    window->setRootViewController(outer);
    window->makeKeyAndVisible();
  }

  // A value in the domain before the page opens.
  void store(const std::string& key, platform::foundation::PropertyList value) {
    platform::settings::HBPreferences::initWithIdentifier(kPreferencesIdentifier)
        ->setObject(std::move(value), key);
  }
  std::optional<platform::foundation::PropertyList> stored(const std::string& key) {
    return platform::settings::HBPreferences::initWithIdentifier(kPreferencesIdentifier)->objectForKey(key);
  }

  // The page of the class the runtime knows by the name, pushed and displayed.
  template <typename Page>
  std::shared_ptr<Page> open(const char* className,
                             std::shared_ptr<platform::preferences::PSSpecifier> link = nullptr) {
    auto page = std::dynamic_pointer_cast<Page>(platform::preferences::PSListController::instantiate(
        platform::runtime::NSClassFromString(className)));
    page->setBundle(platform::foundation::NSBundle::initWithPath(kBundlePath));
    if (link) page->setSpecifier(link);
    inner->pushViewController(page, true);
    page->table()->layoutIfNeeded();
    return page;
  }

  static std::shared_ptr<platform::preferences::PSSpecifier> linkTo(const std::string& list,
                                                                    const std::string& title) {
    platform::foundation::PropertyList::Dictionary item{{"cell", "PSLinkCell"},
                                                        {"label", title},
                                                        {"detail", "LDSubPrefsListController"},
                                                        {"LDSubPrefs", list}};
    return platform::preferences::PSSpecifier::specifierWithItem(item).value();
  }

  // What a person does to the row of the key: changes its value through the page.
  static void change(platform::preferences::PSListController& page, const std::string& key,
                     const platform::foundation::PropertyList& value) {
    for (const auto& specifier : page.specifiers()) {
      auto found = specifier->propertyForKey("key");
      if (found && found->string() && *found->string() == key)
        return page.setPreferenceValue(value, specifier.get());
    }
    FAIL() << "no row for " << key;
  }

  static std::shared_ptr<platform::uikit::UITableViewCell> cell(platform::preferences::PSListController& page,
                                                                int64_t section, int64_t row) {
    return page.tableViewCellForRowAtIndexPath(page.table().get(),
                                               platform::uikit::NSIndexPath::indexPathForRow(row, section));
  }
  static bool greyed(platform::preferences::PSListController& page, int64_t section, int64_t row) {
    return !cell(page, section, row)->isUserInteractionEnabled();
  }

  FreshTweakProcessState freshProcess_;
  platform::foundation::TemporaryDirectory device;
  std::shared_ptr<platform::uikit::UIViewController> settingsList;
  std::shared_ptr<platform::uikit::UINavigationController> inner;
  std::shared_ptr<platform::uikit::UINavigationController> outer;
  std::shared_ptr<platform::uikit::UIWindow> window;
};

}  // namespace lunadoze::prefs
