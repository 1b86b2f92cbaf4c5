#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/foundation/CFNotificationCenter.h"
#include "platform/foundation/NSLocale.h"
#include "platform/foundation/NSTask.h"
#include "platform/preferences/PSControlTableCell.h"
#include "platform/uikit/UIAlertAction.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIBarButtonItem.h"
#include "platform/uikit/UIButton.h"
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
            greyed(page, 1, 6), greyed(page, 1, 7), greyed(page, 3, 0)};
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
  EXPECT_EQ(modeRowsGreyed(*page), (std::vector<bool>{true, true, true, true, true, true, false}));
  EXPECT_EQ(page->enabledModes(), 2);
  change(*page, "enabledModes", 1);
  EXPECT_EQ(modeRowsGreyed(*page), (std::vector<bool>{false, false, false, false, false, false, true}));
  change(*page, "enabledModes", 0);
  EXPECT_EQ(modeRowsGreyed(*page), (std::vector<bool>(7, false)));

  // A greyed row takes no touch, shows dimmed texts and a disabled control.
  change(*page, "enabledModes", 2);
  auto row = std::dynamic_pointer_cast<platform::preferences::PSControlTableCell>(cell(*page, 1, 2));
  EXPECT_FALSE(row->textLabel()->isEnabled());
  EXPECT_FALSE(row->control()->isEnabled());
}

// Each rule greys rows by position: the rows there must hold the settings the rule is about.
TEST_F(LDPrefsListControllerTest, EveryDependentRowHoldsTheSettingItsRuleIsAbout) {
  auto page = openRoot();
  auto keyAt = [&](int64_t section, int64_t row) {
    auto specifier = page->specifierAtIndexPath(NSIndexPath::indexPathForRow(row, section));
    auto key = specifier ? specifier->propertyForKey("key") : std::nullopt;
    return key && key->string() ? *key->string() : std::string();
  };
  std::vector<std::string> timeOnly{keyAt(1, 2), keyAt(1, 3), keyAt(1, 4),
                                    keyAt(1, 5), keyAt(1, 6), keyAt(1, 7)};
  std::ranges::sort(timeOnly);
  EXPECT_EQ(timeOnly, (std::vector<std::string>{"extendMinutes", "extendWithVolumeUpDuringFade",
                                                "letTheSongFinishEnabled", "timerDefaultValue",
                                                "timerMinutesSteps", "volumeFadeOutTime"}));
  // Pointless while the song is let finish: there is no fade-out.
  EXPECT_EQ(keyAt(1, 4), "volumeFadeOutTime");
  EXPECT_EQ(keyAt(1, 7), "extendWithVolumeUpDuringFade");
  EXPECT_EQ(keyAt(3, 0), "nbSongsDefaultValue");
  EXPECT_EQ(keyAt(3, 3), "confirmViewAutoDismissTime");
  EXPECT_EQ(page->specifierAtIndexPath(NSIndexPath::indexPathForRow(4, 3))->cellType(),
            platform::preferences::PSStaticTextCell);

  // No other row of the page depends on the mode, the song's end or the confirmation.
  std::vector<std::string> everyKey;
  for (int64_t section = 0; section < page->table()->numberOfSections(); ++section) {
    for (int64_t row = 0; row < page->table()->numberOfRowsInSection(section); ++row) {
      if (auto key = keyAt(section, row); !key.empty()) everyKey.push_back(key);
    }
  }
  EXPECT_EQ(std::ranges::count(everyKey, "nbSongsDefaultValue"), 1);
  EXPECT_EQ(std::ranges::count(everyKey, "timerMinutesSteps"), 1);
}

TEST_F(LDPrefsListControllerTest, TheFadeIsTurnedOffByItsLengthNotByAStoredSwitchThatNothingReads) {
  store("volumeFadeOutEnabled", false);
  auto page = openRoot();
  for (const auto& specifier : page->specifiers()) {
    EXPECT_NE(specifier->propertyForKey("key"), platform::foundation::PropertyList("volumeFadeOutEnabled"));
  }
  // The fade row's section footer: the group item last before the row.
  auto fadeRow = page->specifierAtIndexPath(NSIndexPath::indexPathForRow(4, 1));
  std::shared_ptr<platform::preferences::PSSpecifier> group;
  for (const auto& item : page->specifiers()) {
    if (item == fadeRow) break;
    if (item->cellType() == platform::preferences::PSGroupCell) group = item;
  }
  ASSERT_NE(group, nullptr);
  auto footer = group->propertyForKey("footerText");
  ASSERT_TRUE(footer && footer->string());
  EXPECT_NE(footer->string()->find("0 seconds turns the fade-out off"), std::string::npos);
  // What a file holds stays there.
  EXPECT_EQ(stored("volumeFadeOutEnabled"), platform::foundation::PropertyList(false));
}

TEST_F(LDPrefsListControllerTest, TheConfirmationSwitchGreysBothOfItsRows) {
  auto page = openRoot();
  change(*page, "showConfirmationViewAfterTimerSetEnabled", false);
  EXPECT_TRUE(greyed(*page, 3, 3));
  EXPECT_TRUE(greyed(*page, 3, 4));
  EXPECT_FALSE(greyed(*page, 3, 2));
  change(*page, "showConfirmationViewAfterTimerSetEnabled", true);
  EXPECT_FALSE(greyed(*page, 3, 3));
  EXPECT_FALSE(greyed(*page, 3, 4));
}

TEST_F(LDPrefsListControllerTest, LettingTheSongFinishGreysTheFadeOutUntilItIsNextReadOrWritten) {
  auto page = openRoot();
  change(*page, "letTheSongFinishEnabled", true);
  EXPECT_TRUE(greyed(*page, 1, 4));
  EXPECT_TRUE(greyed(*page, 1, 7));
  EXPECT_FALSE(greyed(*page, 1, 6));  // the page's extend button still gives the minutes
  change(*page, "enabledModes", 0);
  EXPECT_FALSE(greyed(*page, 1, 4));  // the mode rule re-enables it
  EXPECT_FALSE(greyed(*page, 1, 7));
  change(*page, "letTheSongFinishEnabled", true);
  EXPECT_TRUE(greyed(*page, 1, 4));

  change(*page, "enabledModes", 2);
  change(*page, "letTheSongFinishEnabled", false);
  EXPECT_TRUE(greyed(*page, 1, 4));  // off, but the time mode is not offered
  EXPECT_TRUE(greyed(*page, 1, 7));
  change(*page, "enabledModes", 1);
  change(*page, "letTheSongFinishEnabled", false);
  EXPECT_FALSE(greyed(*page, 1, 4));
  EXPECT_FALSE(greyed(*page, 1, 7));
}

TEST_F(LDPrefsListControllerTest, RowsReadInListOrderLeaveTheRuleOfTheKeyReadLast) {
  store("enabledModes", 0);
  store("letTheSongFinishEnabled", true);
  store("showConfirmationViewAfterTimerSetEnabled", false);
  auto page = openRoot();
  EXPECT_EQ(modeRowsGreyed(*page), (std::vector<bool>{false, false, true, false, false, true, false}));
  EXPECT_TRUE(greyed(*page, 3, 3));
  EXPECT_TRUE(greyed(*page, 3, 4));
}

TEST_F(LDPrefsListControllerTest, TheStoredModeIsRememberedForTheLetTheSongFinishRule) {
  store("enabledModes", 2);
  store("letTheSongFinishEnabled", false);
  auto page = openRoot();
  EXPECT_EQ(page->enabledModes(), 2);
  EXPECT_EQ(modeRowsGreyed(*page), (std::vector<bool>{true, true, true, true, true, true, false}));
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

class ResetTest : public LDPrefsListControllerTest {
 protected:
  // A tap on the "Reset all settings" row; the alert it brings, once it is on screen.
  std::shared_ptr<UIAlertController> tapReset(LDPrefsListController& page) {
    for (int64_t section = 0; section < page.table()->numberOfSections(); ++section) {
      for (int64_t row = 0; row < page.table()->numberOfRowsInSection(section); ++row) {
        auto indexPath = NSIndexPath::indexPathForRow(row, section);
        if (page.specifierAtIndexPath(indexPath)->name() != "Reset all settings") continue;
        page.tableViewDidSelectRowAtIndexPath(page.table().get(), indexPath);
        NSRunLoop::mainRunLoop().advance(UIViewController::kTransitionDuration);
        return std::dynamic_pointer_cast<UIAlertController>(page.presentedViewController());
      }
    }
    ADD_FAILURE() << "no reset row";
    return nullptr;
  }
  void answer(UIAlertController& alert, const std::string& title) {
    for (const auto& action : alert.actions()) {
      if (action->title() == title) {
        alert.buttonForAction(action.get())->sendActionsForControlEvents(UIControlEventTouchUpInside);
      }
    }
    NSRunLoop::mainRunLoop().advance(UIViewController::kTransitionDuration);
  }
};

TEST_F(ResetTest, ResetAsksFirstAndCancelKeepsEverySetting) {
  store("volumeFadeOutTime", 30);
  auto page = openRoot();
  auto alert = tapReset(*page);
  ASSERT_NE(alert, nullptr);
  std::vector<std::string> buttons;
  for (const auto& action : alert->actions()) buttons.push_back(action->title());
  EXPECT_EQ(buttons, (std::vector<std::string>{"Cancel", "Reset"}));
  answer(*alert, "Cancel");
  EXPECT_EQ(page->presentedViewController(), nullptr);
  EXPECT_EQ(stored("volumeFadeOutTime"), platform::foundation::PropertyList(30));
}

TEST_F(ResetTest, ResetRemovesEveryKeyPostsTheChangeAndShowsTheDefaults) {
  for (const char* key : {"enabled", "letTheSongFinishEnabled", "onTimerEndsDND"}) store(key, true);
  store("enabledModes", 2);
  store("showConfirmationViewAfterTimerSetEnabled", false);
  store("volumeFadeOutEnabled", false);
  auto page = openRoot();
  EXPECT_TRUE(greyed(*page, 1, 2));
  listen("com.corvane.lunadoze/ReloadPrefs");

  auto alert = tapReset(*page);
  ASSERT_NE(alert, nullptr);
  answer(*alert, "Reset");
  NSRunLoop::mainRunLoop().runDueEvents();
  auto domain = platform::foundation::PropertyList::readFile(
      device.path() / "var/mobile/Library/Preferences/com.corvane.lunadoze.plist");
  ASSERT_TRUE(domain);
  EXPECT_TRUE(domain->dictionary()->empty());
  EXPECT_EQ(heard, std::vector<std::string>{"com.corvane.lunadoze/ReloadPrefs"});
  EXPECT_EQ(page->enabledModes(), 0);
  page->table()->layoutIfNeeded();
  EXPECT_EQ(modeRowsGreyed(*page), (std::vector<bool>(7, false)));
  EXPECT_FALSE(greyed(*page, 3, 3));
  auto mode = std::dynamic_pointer_cast<platform::preferences::PSTableCell>(cell(*page, 1, 0));
  EXPECT_EQ(mode->value(), platform::foundation::PropertyList(0));
  // "enabled" was on, as by default: nothing to respring for.
  EXPECT_EQ(page->navigationItem()->rightBarButtonItem(), nullptr);
}

TEST_F(ResetTest, AResetThatTurnsLunadozeBackOnOffersTheRespring) {
  store("enabled", false);
  auto page = openRoot();
  auto alert = tapReset(*page);
  ASSERT_NE(alert, nullptr);
  answer(*alert, "Reset");
  EXPECT_EQ(page->navigationItem()->rightBarButtonItem(), page->respringButton());
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
  // Every one of them is a section of the list, the about section under its taller header.
  ASSERT_GE(page->table()->numberOfSections(), 10);
  EXPECT_EQ(page->specifierAtIndexPath(NSIndexPath::indexPathForRow(0, 8))->cellType(),
            platform::preferences::PSStaticTextCell);

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

TEST_F(LDPrefsListControllerTest, ThePageSpeaksTheLanguageOfTheDevice) {
  platform::foundation::NSLocale::setCurrentLocaleIdentifier("fr_FR");
  auto page = openRoot();
  EXPECT_EQ(page->specifierAtIndexPath(NSIndexPath::indexPathForRow(0, 0))->name(), "Activé");
  EXPECT_EQ(page->specifierAtIndexPath(NSIndexPath::indexPathForRow(0, 1))->propertyForKey("validTitles"),
            platform::foundation::PropertyList(
                platform::foundation::PropertyList::Array{"Durée et morceaux", "Durée", "Morceaux"}));
  // A text the table lacks (the minute steps) shows as the list writes it.
  auto steps = page->specifierAtIndexPath(NSIndexPath::indexPathForRow(3, 1))->propertyForKey("validTitles");
  EXPECT_EQ(steps->array()->front(), platform::foundation::PropertyList("1"));
}

// Every text a page shows has its translation in every language of the bundle.
TEST_F(LDPrefsListControllerTest, EveryTableTranslatesEveryTextOfItsList) {
  namespace fs = std::filesystem;
  fs::path bundle = device.path() / "Library/PreferenceBundles/LunadozePrefs.bundle";
  std::vector<std::string> languages;
  for (const auto& entry : fs::directory_iterator(bundle)) {
    if (entry.path().extension() == ".lproj") languages.push_back(entry.path().stem());
  }
  EXPECT_EQ(languages.size(), 9u);  // English is the lists' own
  for (const char* list : {"Prefs", "TimerStartActions", "TimerEndActions"}) {
    auto plist = platform::foundation::PropertyList::readFile(bundle / (std::string(list) + ".plist"));
    ASSERT_TRUE(plist);
    std::vector<std::string> texts;
    for (const auto& item : *(*plist)["items"]->array()) {
      for (const char* key : {"label", "footerText"}) {
        if (const auto* text = item[key]) texts.push_back(*text->string());
      }
      if (const auto* titles = item["validTitles"]) {
        for (const auto& title : *titles->array()) {
          if (title.string()->find_first_not_of("0123456789") != std::string::npos)
            texts.push_back(*title.string());
        }
      }
    }
    for (const auto& language : languages) {
      auto table = platform::foundation::PropertyList::readFile(bundle / (language + ".lproj") /
                                                                (std::string(list) + ".strings"));
      ASSERT_TRUE(table) << language << " " << list;
      for (const auto& text : texts)
        EXPECT_NE((*table)[text], nullptr) << language << " " << list << ": " << text;
    }
  }
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
