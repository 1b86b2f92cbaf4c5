// What the pane shows and stores when the domain holds values the rows do not offer, when a write
// fails, and when a text row is given bytes that are no text.
#include <limits>
#include <string>
#include <vector>

#include "platform/foundation/CFNotificationCenter.h"
#include "platform/preferences/PSTableCell.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UITableView.h"
#include "prefs/LDPrefsListController.h"
#include "prefs/LDSubPrefsListController.h"
#include "tests/platform/settings/BlockedSettingsWrites.h"
#include "tests/prefs/PrefsPaneTest.h"

namespace lunadoze::prefs {
namespace {

using platform::foundation::PropertyList;
using platform::preferences::PSListController;

class StoredValuesTest : public PrefsPaneTest {
 protected:
  std::shared_ptr<LDPrefsListController> openRoot() {
    return open<LDPrefsListController>("LDPrefsListController");
  }
  std::shared_ptr<LDSubPrefsListController> openPage(const std::string& list) {
    return open<LDSubPrefsListController>("LDSubPrefsListController", linkTo(list, list));
  }

  // The value the row of the key shows.
  static std::optional<PropertyList> shown(PSListController& page, const std::string& key) {
    auto* table = page.table().get();
    for (int64_t section = 0; section < table->numberOfSections(); ++section) {
      for (int64_t row = 0; row < table->numberOfRowsInSection(section); ++row) {
        auto indexPath = platform::uikit::NSIndexPath::indexPathForRow(row, section);
        auto found = page.specifierAtIndexPath(indexPath)->propertyForKey("key");
        if (!found || found->string() == nullptr || *found->string() != key) continue;
        auto cell = page.tableViewCellForRowAtIndexPath(table, indexPath);
        return std::dynamic_pointer_cast<platform::preferences::PSTableCell>(cell)->value();
      }
    }
    ADD_FAILURE() << "no row for " << key;
    return std::nullopt;
  }

  // The alert the page presents, as "title: message", closed; "" when there is none.
  static std::string takeAlert(PSListController& page) {
    auto alert =
        std::dynamic_pointer_cast<platform::uikit::UIAlertController>(page.presentedViewController());
    if (alert == nullptr) return "";
    std::string text = alert->title() + ": " + alert->message();
    page.dismissViewControllerAnimated(false, nullptr);
    return text;
  }

  void listen() {
    platform::foundation::CFNotificationCenterAddObserver(
        platform::foundation::CFNotificationCenterGetDarwinNotifyCenter(), this, "com.example.row",
        [this](const std::string&) { ++notifications; });
  }
  void TearDown() override {
    platform::foundation::CFNotificationCenterRemoveEveryObserver(
        platform::foundation::CFNotificationCenterGetDarwinNotifyCenter(), this);
  }

  int notifications = 0;
};

TEST_F(StoredValuesTest, SliderRowsShowStoredNumbersAsTheTweakReadsThem) {
  store("volumeFadeOutTime", 1e308);
  store("timerDefaultValue", 1000);
  store("nbSongsDefaultValue", 0);
  auto root = openRoot();
  EXPECT_EQ(shown(*root, "volumeFadeOutTime"), PropertyList(60.0));
  EXPECT_EQ(shown(*root, "timerDefaultValue"), PropertyList(180.0));
  EXPECT_EQ(shown(*root, "nbSongsDefaultValue"), PropertyList(1.0));

  store("onTimerStartsCustomVolumeValue", std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(shown(*openPage("TimerStartActions"), "onTimerStartsCustomVolumeValue"), PropertyList(15.0));
  store("onTimerStartsCustomVolumeValue", "1e308");
  EXPECT_EQ(shown(*openPage("TimerStartActions"), "onTimerStartsCustomVolumeValue"), PropertyList(100.0));
  store("onTimerStartsCustomVolumeValue", 0.5);
  EXPECT_EQ(shown(*openPage("TimerStartActions"), "onTimerStartsCustomVolumeValue"), PropertyList(1.0));
  // Nothing is written for showing it.
  EXPECT_EQ(stored("onTimerStartsCustomVolumeValue"), PropertyList(0.5));
}

TEST_F(StoredValuesTest, AWriteThatFailsIsShownInAnAlertAndTheRowShowsTheStoredValueAgain) {
  store("volumeFadeOutTime", 20);
  auto root = openRoot();
  for (const auto& specifier : root->specifiers()) {
    if (specifier->propertyForKey("PostNotification"))
      specifier->setProperty("com.example.row", "PostNotification");
  }
  listen();
  auto blocker = platform::settings::blockSettingsWrites(device.path());

  change(*root, "volumeFadeOutTime", 45.0);
  EXPECT_EQ(takeAlert(*root),
            "Setting Not Saved: \u201CFade-out length (seconds)\u201D could not be written to the "
            "device\u2019s storage. It keeps its previous value.");
  EXPECT_EQ(shown(*root, "volumeFadeOutTime"), PropertyList(20.0));
  EXPECT_EQ(stored("volumeFadeOutTime"), PropertyList(20));

  // Nor does anything else follow from a change that did not happen.
  change(*root, "enabledModes", 2);
  takeAlert(*root);
  EXPECT_FALSE(greyed(*root, 1, 2));
  EXPECT_EQ(root->enabledModes(), 0);
  change(*root, "enabled", false);
  takeAlert(*root);
  EXPECT_EQ(root->navigationItem()->rightBarButtonItem(), nullptr);
  platform::foundation::NSRunLoop::mainRunLoop().runDueEvents();
  EXPECT_EQ(notifications, 0);  // the row's own is not posted
  std::filesystem::remove_all(blocker);
  change(*root, "hideMoonIconInCC", true);
  platform::foundation::NSRunLoop::mainRunLoop().runDueEvents();
  EXPECT_EQ(notifications, 1);
  EXPECT_EQ(takeAlert(*root), "");

  platform::settings::blockSettingsWrites(device.path());

  auto endActions = openPage("TimerEndActions");
  change(*endActions, "onTimerEndsBluetooth", true);
  EXPECT_NE(takeAlert(*endActions), "");
  EXPECT_EQ(shown(*endActions, "onTimerEndsBluetooth"), PropertyList(false));
  EXPECT_EQ(stored("onTimerEndsBluetooth"), std::nullopt);
}

TEST_F(StoredValuesTest, ATextRowRefusesBytesThatAreNoText) {
  store("onTimerEndsBluetooth", true);
  store("onTimerEndsBluetoothMode", 1);
  store("onTimerEndsBluetoothDeviceName", "Car");
  auto page = openPage("TimerEndActions");
  change(*page, "onTimerEndsBluetoothDeviceName", std::string("Car\xFF"));
  EXPECT_EQ(takeAlert(*page),
            "Text Not Saved: \u201CDevice name\u201D contains bytes that are not valid text. It keeps its "
            "previous value.");
  EXPECT_EQ(shown(*page, "onTimerEndsBluetoothDeviceName"), PropertyList("Car"));
  EXPECT_EQ(stored("onTimerEndsBluetoothDeviceName"), PropertyList("Car"));

  // Text with a NUL is text.
  change(*page, "onTimerEndsBluetoothDeviceName", std::string("Car\0Kit", 7));
  EXPECT_EQ(takeAlert(*page), "");
  EXPECT_EQ(stored("onTimerEndsBluetoothDeviceName"), PropertyList(std::string("Car\0Kit", 7)));
}

}  // namespace
}  // namespace lunadoze::prefs
