#include <string>
#include <vector>

#include "platform/foundation/CFNotificationCenter.h"
#include "platform/foundation/NSTask.h"
#include "platform/preferences/PSControlTableCell.h"
#include "platform/uikit/UIBarButtonItem.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UINavigationBar.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UITableView.h"
#include "prefs/LDPrefsListController.h"
#include "tests/prefs/PrefsPaneTest.h"

namespace lunadoze::prefs {
namespace {

using namespace platform::uikit;
using platform::foundation::CFNotificationCenterAddObserver;
using platform::foundation::CFNotificationCenterGetDarwinNotifyCenter;
using platform::foundation::CFNotificationCenterRemoveEveryObserver;
using platform::foundation::NSRunLoop;

class LDPrefsListControllerTest : public PrefsPaneTest {
 protected:
  std::shared_ptr<LDPrefsListController> openRoot() {
    return open<LDPrefsListController>("LDPrefsListController");
  }

  // The rows that only matter in the time mode, then the songs-mode row.
  std::vector<bool> modeRowsGreyed(LDPrefsListController& page) {
    return {greyed(page, 1, 2), greyed(page, 1, 3), greyed(page, 1, 4), greyed(page, 1, 5),
            greyed(page, 3, 0)};
  }

  void listen(const std::string& name) {
    CFNotificationCenterAddObserver(CFNotificationCenterGetDarwinNotifyCenter(), this, name,
                                    [this](const std::string& heardName) { heard.push_back(heardName); });
  }
  void TearDown() override {
    CFNotificationCenterRemoveEveryObserver(CFNotificationCenterGetDarwinNotifyCenter(), this);
  }

  std::vector<std::string> heard;
};

TEST_F(LDPrefsListControllerTest, TheModeGreysTheRowsOfTheModeThatIsNotOffered) {
  auto page = openRoot();
  change(*page, "enabledModes", 2);
  EXPECT_EQ(modeRowsGreyed(*page), (std::vector<bool>{true, true, true, true, false}));
  EXPECT_EQ(page->enabledModes(), 2);
  change(*page, "enabledModes", 1);
  EXPECT_EQ(modeRowsGreyed(*page), (std::vector<bool>{false, false, false, false, true}));
  change(*page, "enabledModes", 0);
  EXPECT_EQ(modeRowsGreyed(*page), (std::vector<bool>{false, false, false, false, false}));

  // A greyed row takes no touch, shows dimmed texts and a disabled control.
  change(*page, "enabledModes", 2);
  auto row = std::dynamic_pointer_cast<platform::preferences::PSControlTableCell>(cell(*page, 1, 2));
  EXPECT_FALSE(row->textLabel()->isEnabled());
  EXPECT_FALSE(row->control()->isEnabled());
}

TEST_F(LDPrefsListControllerTest, LettingTheSongFinishGreysTheFadeOutUntilItIsNextReadOrWritten) {
  auto page = openRoot();
  change(*page, "letTheSongFinishEnabled", true);
  EXPECT_TRUE(greyed(*page, 1, 4));
  change(*page, "enabledModes", 0);
  EXPECT_FALSE(greyed(*page, 1, 4));  // the mode rule re-enables it
  change(*page, "letTheSongFinishEnabled", true);
  EXPECT_TRUE(greyed(*page, 1, 4));

  change(*page, "enabledModes", 2);
  change(*page, "letTheSongFinishEnabled", false);
  EXPECT_TRUE(greyed(*page, 1, 4));  // off, but the time mode is not offered
  change(*page, "enabledModes", 1);
  change(*page, "letTheSongFinishEnabled", false);
  EXPECT_FALSE(greyed(*page, 1, 4));
}

TEST_F(LDPrefsListControllerTest, RowsReadInListOrderLeaveTheRuleOfTheKeyReadLast) {
  store("enabledModes", 0);
  store("letTheSongFinishEnabled", true);
  store("showConfirmationViewAfterTimerSetEnabled", false);
  auto page = openRoot();
  EXPECT_EQ(modeRowsGreyed(*page), (std::vector<bool>{false, false, true, false, false}));
  EXPECT_TRUE(greyed(*page, 3, 3));
  EXPECT_TRUE(greyed(*page, 3, 4));
}

TEST_F(LDPrefsListControllerTest, TheStoredModeIsRememberedForTheLetTheSongFinishRule) {
  store("enabledModes", 2);
  store("letTheSongFinishEnabled", false);
  auto page = openRoot();
  EXPECT_EQ(page->enabledModes(), 2);
  EXPECT_EQ(modeRowsGreyed(*page), (std::vector<bool>{true, true, true, true, false}));
}

TEST_F(LDPrefsListControllerTest, AnEmptyDomainShowsTheDefaultsWithEveryRowEnabled) {
  auto page = openRoot();
  EXPECT_EQ(page->enabledModes(), 0);
  for (int64_t section = 0; section < page->table()->numberOfSections(); ++section) {
    for (int64_t row = 0; row < page->table()->numberOfRowsInSection(section); ++row) {
      EXPECT_FALSE(greyed(*page, section, row)) << section << "." << row;
    }
  }
  auto confirmation = std::dynamic_pointer_cast<platform::preferences::PSTableCell>(cell(*page, 3, 3));
  EXPECT_EQ(confirmation->value(), platform::foundation::PropertyList(1.5));
}

TEST_F(LDPrefsListControllerTest, AChangeIsStoredBeforeItsNotificationIsPosted) {
  listen("com.corvane.lunadoze/ReloadPrefs");
  auto page = openRoot();
  std::optional<platform::foundation::PropertyList> seenOnNotification;
  CFNotificationCenterAddObserver(
      CFNotificationCenterGetDarwinNotifyCenter(), &seenOnNotification, "com.corvane.lunadoze/ReloadPrefs",
      [&](const std::string&) { seenOnNotification = stored("volumeFadeOutTime"); });
  change(*page, "volumeFadeOutTime", 30.0);
  NSRunLoop::mainRunLoop().runDueEvents();
  EXPECT_EQ(heard, std::vector<std::string>{"com.corvane.lunadoze/ReloadPrefs"});
  EXPECT_EQ(seenOnNotification, platform::foundation::PropertyList(30.0));
  CFNotificationCenterRemoveEveryObserver(CFNotificationCenterGetDarwinNotifyCenter(), &seenOnNotification);
}

TEST_F(LDPrefsListControllerTest, TheRowNamesTheNotificationAndARowWithoutANameOnlyStores) {
  listen("com.corvane.lunadoze/ReloadPrefs");
  listen("com.example.moon");
  auto page = openRoot();
  auto specifier = page->specifierAtIndexPath(NSIndexPath::indexPathForRow(1, 4));
  specifier->setProperty("com.example.moon", "PostNotification");
  page->setPreferenceValue(true, specifier.get());
  NSRunLoop::mainRunLoop().runDueEvents();
  // The store announces its own change as well.
  EXPECT_EQ(heard, (std::vector<std::string>{"com.corvane.lunadoze/ReloadPrefs", "com.example.moon"}));

  heard.clear();
  specifier->removePropertyForKey("PostNotification");
  page->setPreferenceValue(false, specifier.get());
  NSRunLoop::mainRunLoop().runDueEvents();
  EXPECT_EQ(heard, std::vector<std::string>{"com.corvane.lunadoze/ReloadPrefs"});
  EXPECT_EQ(stored("hideMoonIconInNC"), platform::foundation::PropertyList(false));
}

TEST_F(LDPrefsListControllerTest, TheRespringButtonComesOnlyWithAChangeOfEnabledAndRestartsTheInterface) {
  listen(platform::foundation::NSTask::kBackboardRestartNotification);
  auto page = openRoot();
  change(*page, "hideMoonIconInCC", true);
  change(*page, "enabledModes", 1);
  EXPECT_EQ(page->navigationItem()->rightBarButtonItem(), nullptr);

  change(*page, "enabled", false);
  auto button = page->navigationItem()->rightBarButtonItem();
  ASSERT_EQ(button, page->respringButton());
  EXPECT_EQ(button->title(), "Respring");
  button->tap();
  NSRunLoop::mainRunLoop().runDueEvents();
  EXPECT_EQ(heard, std::vector<std::string>{platform::foundation::NSTask::kBackboardRestartNotification});
}

TEST_F(LDPrefsListControllerTest, TheIconReplacesTheTitleAboveAnOffsetOf70) {
  auto page = openRoot();
  page->table()->setContentOffset(CGPointMake(0, 70.0));
  EXPECT_EQ(page->titleLabel()->alpha(), 1.0);
  EXPECT_EQ(page->iconView()->alpha(), 0.0);
  page->table()->setContentOffset(CGPointMake(0, 70.5));
  EXPECT_EQ(page->titleLabel()->alpha(), 0.0);
  EXPECT_EQ(page->iconView()->alpha(), 1.0);
  EXPECT_EQ(page->titleLabel()->text(), "Lunadoze");
  EXPECT_NE(page->iconView()->image(), nullptr);
}

TEST_F(LDPrefsListControllerTest, TheHeaderImageStretchesWhileTheListIsPulledDown) {
  auto page = openRoot();
  CGFloat width = page->headerView()->frame().size.width;
  EXPECT_EQ(width, page->table()->frame().size.width);
  auto frameAt = [&](CGFloat y) {
    page->table()->setContentOffset(CGPointMake(0, y));
    return page->headerImageView()->frame();
  };
  EXPECT_EQ(frameAt(-64), CGRectMake(10, 40, width - 20, 120));
  EXPECT_EQ(frameAt(-164), CGRectMake(10, -60, width - 20, 220));
  EXPECT_EQ(frameAt(-20), CGRectMake(10, 84, width - 20, 76));
  EXPECT_EQ(frameAt(300), CGRectMake(10, 84, width - 20, 76));
  EXPECT_NE(page->headerImageView()->image(), nullptr);
}

TEST_F(LDPrefsListControllerTest, SectionHeadersAndTheThemedBar) {
  auto page = openRoot();
  std::vector<CGFloat> heights;
  for (int64_t section = 0; section < 10; ++section) {
    heights.push_back(page->tableViewHeightForHeaderInSection(page->table().get(), section));
  }
  EXPECT_EQ(heights, (std::vector<CGFloat>{0, 45, 45, 45, 45, 45, 45, 45, 60, 0}));

  auto bar = outer->navigationBar();
  ASSERT_NE(bar->barTintColor(), nullptr);
  EXPECT_NEAR(bar->barTintColor()->red(), 0.0447, 1e-4);
  EXPECT_NEAR(bar->barTintColor()->green(), 0.16, 1e-4);
  EXPECT_NEAR(bar->barTintColor()->blue(), 0.2435, 1e-4);
  EXPECT_EQ(bar->barTintColor()->alpha(), 1.0);
  EXPECT_NE(bar->shadowImage(), nullptr);
  EXPECT_TRUE(bar->tintColor()->isEqual(*UIColor::whiteColor()));
  EXPECT_FALSE(bar->prefersLargeTitles());
  EXPECT_EQ(page->table()->separatorColor()->alpha(), 0.0);
}

TEST_F(LDPrefsListControllerTest, AMissingSpecifierListShowsAnEmptyPage) {
  std::filesystem::remove(device.path() / "Library/PreferenceBundles/LunadozePrefs.bundle/Prefs.plist");
  auto page = openRoot();
  EXPECT_EQ(page->table()->numberOfSections(), 0);
  EXPECT_FALSE(page->specifierLoadError().empty());
  page->setCellForRowAtIndexPath(NSIndexPath::indexPathForRow(2, 1), false);  // no such row: skipped
}

}  // namespace
}  // namespace lunadoze::prefs
