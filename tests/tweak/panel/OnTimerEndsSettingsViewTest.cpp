#include <cmath>
#include <memory>

#include "tests/platform/settings/BlockedSettingsWrites.h"
#include "tests/tweak/panel/PanelTest.h"
#include "tweak/panel/OnTimerEndsSettingsView.h"

namespace lunadoze {
namespace {

using platform::uikit::CGAffineTransform;

bool isTurnedBy(CGAffineTransform transform, double cosine) {
  return std::abs(transform.a - cosine) < 1e-9 && std::abs(transform.d - cosine) < 1e-9 &&
         std::abs(transform.b) < 1e-9 && std::abs(transform.c) < 1e-9;
}

class OnTimerEndsSettingsViewTest : public PanelTest {
 protected:
  std::shared_ptr<OnTimerEndsSettingsView> open() {
    auto view = OnTimerEndsSettingsView::create();
    EXPECT_NE(view, nullptr);
    return view;
  }
  void tapHourglass(OnTimerEndsSettingsView& view) { tap(*view.toggleStartEndButton()); }
};

TEST_F(OnTimerEndsSettingsViewTest, OpensOnTheEndActionsWithTheirStoredValues) {
  domain()->setBool(true, "onTimerEndsAirplane");
  domain()->setBool(true, "onTimerEndsBluetooth");
  domain()->setBool(true, "onTimerStartsDND");
  auto view = open();
  EXPECT_FALSE(view->currentStateIsStart());
  EXPECT_EQ(view->titleLabel()->text(), "When the timer ends");
  EXPECT_FALSE(view->bluetoothButton()->isHidden());
  EXPECT_TRUE(view->customVolumeButton()->isHidden());
  EXPECT_TRUE(view->planeModeButton()->isChecked());
  EXPECT_FALSE(view->dndButton()->isChecked());
  EXPECT_TRUE(view->bluetoothButton()->isChecked());
  EXPECT_NE(view->planeModeButton()->imageForState(platform::uikit::UIControlStateNormal), nullptr);
}

TEST_F(OnTimerEndsSettingsViewTest, HourglassStoresTheEndActionsBeforeShowingTheStartActions) {
  domain()->setBool(true, "onTimerStartsCustomVolume");
  auto view = open();
  tap(*view->dndButton());
  EXPECT_NE(storedBool("onTimerEndsDND"), true);  // a tap alone stores nothing

  tapHourglass(*view);
  EXPECT_EQ(storedBool("onTimerEndsDND"), true);
  EXPECT_TRUE(view->currentStateIsStart());
  EXPECT_EQ(view->titleLabel()->text(), "When the timer starts");
  EXPECT_TRUE(view->bluetoothButton()->isHidden());
  EXPECT_FALSE(view->customVolumeButton()->isHidden());
  EXPECT_FALSE(view->dndButton()->isChecked());
  EXPECT_TRUE(view->customVolumeButton()->isChecked());
  EXPECT_TRUE(isTurnedBy(view->toggleStartEndButton()->transform(), -1));
  EXPECT_EQ(impacts(), 2);  // the checkbox's and the hourglass's
}

TEST_F(OnTimerEndsSettingsViewTest, SavingStoresTheStartActionsAndAnnouncesTheChange) {
  auto tweakSide = domain();
  int changes = 0;
  tweakSide->registerPreferenceChangeBlock([&changes] { ++changes; });
  auto view = open();
  view->setCurrentStateIsStart(true);
  tap(*view->planeModeButton());
  advance(0.1);
  changes = 0;

  view->saveSettingsToPrefsPlist();
  EXPECT_EQ(storedBool("onTimerStartsAirplane"), true);
  EXPECT_NE(storedBool("onTimerEndsAirplane"), true);
  advance(0.1);
  EXPECT_EQ(changes, 1);
}

TEST_F(OnTimerEndsSettingsViewTest, TwoHourglassTapsComeBackToTheEndActionsAsStored) {
  auto view = open();
  tap(*view->planeModeButton());
  tapHourglass(*view);
  tap(*view->dndButton());
  tapHourglass(*view);
  EXPECT_FALSE(view->currentStateIsStart());
  EXPECT_TRUE(view->planeModeButton()->isChecked());
  EXPECT_FALSE(view->dndButton()->isChecked());
  EXPECT_EQ(storedBool("onTimerStartsDND"), true);
  EXPECT_TRUE(isTurnedBy(view->toggleStartEndButton()->transform(), 1));
}

TEST_F(OnTimerEndsSettingsViewTest, HiddenCheckboxesNeverReachTheDomain) {
  auto view = open();
  view->customVolumeButton()->check(true);
  tapHourglass(*view);
  EXPECT_EQ(storedBool("onTimerStartsCustomVolume"), std::nullopt);
  EXPECT_FALSE(view->customVolumeButton()->isChecked());  // loaded from the domain

  view->bluetoothButton()->check(true);
  tapHourglass(*view);
  EXPECT_EQ(storedBool("onTimerEndsBluetooth"), std::nullopt);
  EXPECT_EQ(storedBool("onTimerStartsCustomVolume"), std::nullopt);
}

TEST_F(OnTimerEndsSettingsViewTest, LeavingThePageStoresOnlyTheBoxesChangedOnIt) {
  auto view = open();
  int changes = 0;
  auto tweakSide = domain();
  tweakSide->registerPreferenceChangeBlock([&changes] { ++changes; });
  // Meanwhile, in Settings.
  auto pane = domain();
  pane->setBool(true, "onTimerEndsAirplane");
  pane->setBool(true, "onTimerEndsBluetooth");

  tap(*view->dndButton());
  EXPECT_TRUE(view->saveSettingsToPrefsPlist());
  EXPECT_EQ(storedBool("onTimerEndsDND"), true);
  EXPECT_EQ(storedBool("onTimerEndsAirplane"), true);
  EXPECT_EQ(storedBool("onTimerEndsBluetooth"), true);

  // A box ticked and unticked again is unchanged; a page left untouched writes nothing.
  pane->setBool(false, "onTimerEndsDND");
  pane->synchronize();
  advance(0.1);
  changes = 0;
  tap(*view->planeModeButton());
  tap(*view->planeModeButton());
  EXPECT_TRUE(view->saveSettingsToPrefsPlist());
  EXPECT_EQ(storedBool("onTimerEndsDND"), false);
  advance(0.1);
  EXPECT_EQ(changes, 0);
}

TEST_F(OnTimerEndsSettingsViewTest, ABoxThatCannotBeStoredGoesBackToTheStoredValue) {
  domain()->setBool(true, "onTimerEndsDND");
  auto view = open();
  auto tweakSide = domain();
  bool dnd = false;
  tweakSide->registerBool(&dnd, false, "onTimerEndsDND");
  platform::settings::blockSettingsWrites(root_.path());

  tap(*view->dndButton());
  tap(*view->planeModeButton());
  EXPECT_FALSE(view->saveSettingsToPrefsPlist());
  EXPECT_TRUE(view->dndButton()->isChecked());
  EXPECT_FALSE(view->planeModeButton()->isChecked());
  advance(0.1);
  EXPECT_TRUE(dnd);  // SpringBoard acts on what the file holds
  EXPECT_EQ(storedBool("onTimerEndsAirplane"), std::nullopt);
}

}  // namespace
}  // namespace lunadoze
