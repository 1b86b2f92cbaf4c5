#include <string>
#include <vector>

#include "platform/preferences/PSEditableTableCell.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UINavigationBar.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UITableView.h"
#include "prefs/LDSubPrefsListController.h"
#include "tests/prefs/PrefsPaneTest.h"

namespace lunadoze::prefs {
namespace {

using platform::foundation::PropertyList;

class LDSubPrefsListControllerTest : public PrefsPaneTest {
 protected:
  std::shared_ptr<LDSubPrefsListController> openPage(const std::string& list, const std::string& title) {
    return open<LDSubPrefsListController>("LDSubPrefsListController", linkTo(list, title));
  }
  std::shared_ptr<LDSubPrefsListController> openEndActions() {
    return openPage("TimerEndActions", "Bluetooth");
  }
  // The Bluetooth mode and the device name.
  std::vector<bool> bluetoothRowsGreyed(LDSubPrefsListController& page) {
    return {greyed(page, 3, 1), greyed(page, 3, 2)};
  }
};

TEST_F(LDSubPrefsListControllerTest, TheLinkRowNamesThePageAndItsList) {
  auto page = openEndActions();
  EXPECT_EQ(page->title(), "Bluetooth");
  EXPECT_EQ(page->navigationItem()->title(), "Bluetooth");
  EXPECT_EQ(page->titleLabel()->text(), "Bluetooth");
  ASSERT_NE(page->specifiers().size(), 0u);
  EXPECT_EQ(page->navigationItem()->rightBarButtonItem(), nullptr);
  EXPECT_NE(outer->navigationBar()->barTintColor(), nullptr);

  std::vector<platform::uikit::CGFloat> heights;
  for (int64_t section = 0; section < 4; ++section) {
    heights.push_back(page->tableViewHeightForHeaderInSection(page->table().get(), section));
  }
  EXPECT_EQ(heights, (std::vector<platform::uikit::CGFloat>{60, 60, 45, 45}));
}

TEST_F(LDSubPrefsListControllerTest, ReloadingReadsTheListAgainAndALinkWithoutAListKeepsIt) {
  auto page = openEndActions();
  auto first = page->specifiers().front();
  page->reloadSpecifiers();
  EXPECT_NE(page->specifiers().front(), first);

  auto before = page->specifiers();
  auto withoutList = linkTo("", "Elsewhere");
  withoutList->removePropertyForKey("LDSubPrefs");
  page->setSpecifier(withoutList);
  page->reloadSpecifiers();
  EXPECT_EQ(page->specifiers(), before);
  EXPECT_EQ(page->titleLabel()->text(), "Elsewhere");
}

TEST_F(LDSubPrefsListControllerTest, TheCustomVolumeSwitchGreysItsValue) {
  store("onTimerStartsCustomVolume", false);
  auto page = openPage("TimerStartActions", "When the timer starts");
  EXPECT_TRUE(greyed(*page, 3, 1));
  change(*page, "onTimerStartsCustomVolume", true);
  EXPECT_FALSE(greyed(*page, 3, 1));
}

TEST_F(LDSubPrefsListControllerTest, TheBluetoothSwitchGreysTheModeAndTheNameUntilTheModeIsReadAgain) {
  auto page = openEndActions();
  change(*page, "onTimerEndsBluetooth", false);
  EXPECT_EQ(bluetoothRowsGreyed(*page), (std::vector<bool>{true, true}));
  change(*page, "onTimerEndsBluetoothMode", 2);
  change(*page, "onTimerEndsBluetooth", true);
  EXPECT_EQ(bluetoothRowsGreyed(*page),
            (std::vector<bool>{false, false}));  // the mode is 2, yet the name is on
  change(*page, "onTimerEndsBluetoothMode", 2);
  EXPECT_EQ(bluetoothRowsGreyed(*page), (std::vector<bool>{false, true}));
  change(*page, "onTimerEndsBluetoothMode", 1);
  EXPECT_EQ(bluetoothRowsGreyed(*page), (std::vector<bool>{false, false}));
  change(*page, "onTimerEndsBluetoothMode", 0);
  EXPECT_EQ(bluetoothRowsGreyed(*page), (std::vector<bool>{false, true}));
}

TEST_F(LDSubPrefsListControllerTest, TheModeReadAfterTheSwitchDecidesTheName) {
  store("onTimerEndsBluetooth", false);
  store("onTimerEndsBluetoothMode", 1);
  store("onTimerEndsBluetoothDeviceName", "Car");
  auto page = openEndActions();
  EXPECT_EQ(bluetoothRowsGreyed(*page), (std::vector<bool>{true, false}));
  auto name = std::dynamic_pointer_cast<platform::preferences::PSEditableTableCell>(cell(*page, 3, 2));
  EXPECT_EQ(name->textField()->text(), "Car");
  EXPECT_EQ(name->textField()->alpha(), 1.0);

  change(*page, "onTimerEndsBluetoothMode", 0);
  EXPECT_EQ(name->textField()->alpha(), 0.4);
}

TEST_F(LDSubPrefsListControllerTest, TheBedtimeSwitchGreysTheHoursAndTheDurationAndTheHoursReadAsTimes) {
  store("bedtimeEnabled", false);
  store("bedtimeFrom", int64_t{1410});
  auto page = openPage("Bedtime", "Bedtime");
  auto rowsGreyed = [&] {
    return std::vector<bool>{greyed(*page, 1, 0), greyed(*page, 1, 1), greyed(*page, 2, 0)};
  };
  EXPECT_EQ(rowsGreyed(), (std::vector<bool>{true, true, true}));
  EXPECT_FALSE(greyed(*page, 0, 0));
  change(*page, "bedtimeEnabled", true);
  EXPECT_EQ(rowsGreyed(), (std::vector<bool>{false, false, false}));

  // A minute of the day shows as the time it is, the default included.
  EXPECT_EQ(cell(*page, 1, 0)->detailTextLabel()->text(), "23:30");
  EXPECT_EQ(cell(*page, 1, 1)->detailTextLabel()->text(), "04:00");
  change(*page, "bedtimeTo", int64_t{45});
  EXPECT_EQ(stored("bedtimeTo"), PropertyList(int64_t{45}));
  page->reloadSpecifiers();
  page->table()->reloadData();
  EXPECT_EQ(cell(*page, 1, 1)->detailTextLabel()->text(), "00:45");
}

TEST_F(LDSubPrefsListControllerTest, AnEmptyDomainLeavesEveryRowEnabledAndWritesReachTheDomain) {
  auto page = openEndActions();
  EXPECT_EQ(bluetoothRowsGreyed(*page), (std::vector<bool>{false, false}));
  change(*page, "onTimerEndsBluetoothDeviceName", "AirPods");
  EXPECT_EQ(stored("onTimerEndsBluetoothDeviceName"), PropertyList("AirPods"));
}

}  // namespace
}  // namespace lunadoze::prefs
