#include <gtest/gtest.h>

#include <limits>

#include "tests/tweak/core/TweakTest.h"
#include "tweak/core/Settings.h"
#include "tweak/engine/SpecialTasksHelper.h"
#include "tweak/wiring/Tweak.h"

namespace lunadoze {
namespace {

using platform::foundation::PropertyList;

class SettingsTest : public TweakTest {
 protected:
  void load() {
    boot();
    tweakEntryPoint();
  }
};

TEST_F(SettingsTest, EmptyDomainBindsEveryDefault) {
  load();
  EXPECT_TRUE(enabled);
  EXPECT_EQ(enabledModes, 0);
  EXPECT_EQ(timerDefaultValue, 1);
  EXPECT_EQ(timerMinutesSteps, 5);
  EXPECT_TRUE(volumeFadeOutEnabled);
  EXPECT_EQ(volumeFadeOutTime, 15);
  EXPECT_FALSE(letTheSongFinishEnabled);
  EXPECT_EQ(nbSongsDefaultValue, 1);
  EXPECT_TRUE(showConfirmationViewAfterTimerSetEnabled);
  EXPECT_EQ(confirmViewAutoDismissTime, 1.5);
  EXPECT_TRUE(showIndicatorOnNC);
  EXPECT_FALSE(hideMoonIconInCC);
  EXPECT_FALSE(hideMoonIconInNC);
  EXPECT_FALSE(onTimerEndsAirplane);
  EXPECT_FALSE(onTimerEndsDND);
  EXPECT_FALSE(onTimerEndsBluetooth);
  EXPECT_EQ(onTimerEndsBluetoothMode, 0);
  EXPECT_EQ(onTimerEndsBluetoothDeviceName, std::nullopt);
  EXPECT_FALSE(onTimerStartsAirplane);
  EXPECT_FALSE(onTimerStartsDND);
  EXPECT_FALSE(onTimerStartsCustomVolume);
  EXPECT_EQ(onTimerStartsCustomVolumeValue, 15);
  EXPECT_EQ(extendMinutes, 10);
  EXPECT_TRUE(extendWithVolumeUpDuringFade);
  EXPECT_FALSE(bedtimeEnabled);
  EXPECT_EQ(bedtimeFrom, 1320);
  EXPECT_EQ(bedtimeTo, 240);
  EXPECT_EQ(bedtimeMinutes, 30);

  auto helper = SpecialTasksHelper::getInstance();
  EXPECT_EQ(helper->onTimerEndsBluetoothDeviceName(), std::nullopt);
  EXPECT_EQ(helper->onTimerStartsCustomVolumeValue(), 15);
}

TEST_F(SettingsTest, StoredValuesAreBoundAndPushedAtLoad) {
  pane().setBool(false, "volumeFadeOutEnabled");
  pane().setInteger(2, "enabledModes");
  pane().setInteger(30, "timerDefaultValue");
  pane().setInteger(10, "timerMinutesSteps");
  pane().setInteger(0, "volumeFadeOutTime");
  pane().setBool(true, "letTheSongFinishEnabled");
  pane().setInteger(4, "nbSongsDefaultValue");
  pane().setBool(false, "showConfirmationViewAfterTimerSetEnabled");
  pane().setFloat(3.25, "confirmViewAutoDismissTime");
  pane().setBool(false, "showIndicatorOnNC");
  pane().setBool(true, "hideMoonIconInCC");
  pane().setBool(true, "hideMoonIconInNC");
  pane().setBool(true, "onTimerEndsAirplane");
  pane().setBool(true, "onTimerEndsDND");
  pane().setBool(true, "onTimerEndsBluetooth");
  pane().setInteger(1, "onTimerEndsBluetoothMode");
  pane().setObject(PropertyList("Car"), "onTimerEndsBluetoothDeviceName");
  pane().setBool(true, "onTimerStartsAirplane");
  pane().setBool(true, "onTimerStartsDND");
  pane().setBool(true, "onTimerStartsCustomVolume");
  pane().setInteger(40, "onTimerStartsCustomVolumeValue");
  pane().setInteger(25, "extendMinutes");
  pane().setBool(false, "extendWithVolumeUpDuringFade");
  load();

  EXPECT_TRUE(enabled);
  EXPECT_EQ(enabledModes, 2);
  EXPECT_EQ(timerDefaultValue, 30);
  EXPECT_EQ(timerMinutesSteps, 10);
  EXPECT_FALSE(volumeFadeOutEnabled);
  EXPECT_EQ(volumeFadeOutTime, 0);
  EXPECT_TRUE(letTheSongFinishEnabled);
  EXPECT_EQ(nbSongsDefaultValue, 4);
  EXPECT_FALSE(showConfirmationViewAfterTimerSetEnabled);
  EXPECT_EQ(confirmViewAutoDismissTime, 3.25);
  EXPECT_FALSE(showIndicatorOnNC);
  EXPECT_TRUE(hideMoonIconInCC);
  EXPECT_TRUE(hideMoonIconInNC);
  EXPECT_TRUE(onTimerEndsAirplane);
  EXPECT_TRUE(onTimerEndsDND);
  EXPECT_TRUE(onTimerEndsBluetooth);
  EXPECT_EQ(onTimerEndsBluetoothMode, 1);
  EXPECT_EQ(onTimerEndsBluetoothDeviceName, "Car");
  EXPECT_TRUE(onTimerStartsAirplane);
  EXPECT_TRUE(onTimerStartsDND);
  EXPECT_TRUE(onTimerStartsCustomVolume);
  EXPECT_EQ(onTimerStartsCustomVolumeValue, 40);
  EXPECT_EQ(extendMinutes, 25);
  EXPECT_FALSE(extendWithVolumeUpDuringFade);

  // The timer actions are in place before any change is announced.
  auto helper = SpecialTasksHelper::getInstance();
  EXPECT_TRUE(helper->onTimerEndsAirplane());
  EXPECT_TRUE(helper->onTimerEndsDND());
  EXPECT_TRUE(helper->onTimerEndsBluetooth());
  EXPECT_EQ(helper->onTimerEndsBluetoothMode(), 1);
  EXPECT_EQ(helper->onTimerEndsBluetoothDeviceName(), "Car");
  EXPECT_TRUE(helper->onTimerStartsAirplane());
  EXPECT_TRUE(helper->onTimerStartsDND());
  EXPECT_TRUE(helper->onTimerStartsCustomVolume());
  EXPECT_EQ(helper->onTimerStartsCustomVolumeValue(), 40);
}

TEST_F(SettingsTest, ChangeFromThePaneReachesVariablesAndTimerActions) {
  load();
  pane().setBool(true, "onTimerEndsBluetooth");
  pane().setInteger(2, "onTimerEndsBluetoothMode");
  pane().setObject(PropertyList("AirPods"), "onTimerEndsBluetoothDeviceName");
  pane().setInteger(100, "onTimerStartsCustomVolumeValue");
  pane().setInteger(45, "timerMinutesSteps");
  auto helper = SpecialTasksHelper::getInstance();
  EXPECT_FALSE(helper->onTimerEndsBluetooth());  // not announced yet

  synchronizeAndDeliver();
  EXPECT_EQ(timerMinutesSteps, 45);
  EXPECT_TRUE(onTimerEndsBluetooth);
  EXPECT_TRUE(helper->onTimerEndsBluetooth());
  EXPECT_EQ(helper->onTimerEndsBluetoothMode(), 2);
  EXPECT_EQ(helper->onTimerEndsBluetoothDeviceName(), "AirPods");
  EXPECT_EQ(helper->onTimerStartsCustomVolumeValue(), 100);

  pane().setObject(std::nullopt, "onTimerEndsBluetoothDeviceName");
  synchronizeAndDeliver();
  EXPECT_EQ(onTimerEndsBluetoothDeviceName, std::nullopt);
  EXPECT_EQ(helper->onTimerEndsBluetoothDeviceName(), std::nullopt);
}

TEST_F(SettingsTest, DeviceNameThatIsNotTextReadsAsNil) {
  pane().setObject(PropertyList(int64_t{7}), "onTimerEndsBluetoothDeviceName");
  load();
  EXPECT_EQ(onTimerEndsBluetoothDeviceName, std::nullopt);
  EXPECT_EQ(SpecialTasksHelper::getInstance()->onTimerEndsBluetoothDeviceName(), std::nullopt);
}

TEST_F(SettingsTest, StoredNumbersBeyondWhatThePaneOffersActAsThePaneShowsThem) {
  pane().setFloat(1e308, "volumeFadeOutTime");
  pane().setInteger(0, "timerDefaultValue");
  pane().setInteger(-4, "nbSongsDefaultValue");
  pane().setObject(PropertyList("1e308"), "onTimerStartsCustomVolumeValue");
  pane().setInteger(0, "extendMinutes");
  load();
  EXPECT_EQ(volumeFadeOutTime, 60);
  EXPECT_EQ(timerDefaultValue, 1);
  EXPECT_EQ(nbSongsDefaultValue, 1);
  EXPECT_EQ(onTimerStartsCustomVolumeValue, 100);
  EXPECT_EQ(extendMinutes, 1);
  EXPECT_EQ(SpecialTasksHelper::getInstance()->onTimerStartsCustomVolumeValue(), 100);

  pane().setFloat(std::numeric_limits<double>::infinity(), "volumeFadeOutTime");
  pane().setInteger(1000, "timerDefaultValue");
  pane().setInteger(int64_t{1} << 40, "nbSongsDefaultValue");
  pane().setFloat(0.5, "onTimerStartsCustomVolumeValue");
  pane().setInteger(int64_t{24} * 60, "extendMinutes");
  synchronizeAndDeliver();
  EXPECT_EQ(volumeFadeOutTime, 15);  // no number at all: the default
  EXPECT_EQ(timerDefaultValue, 180);
  EXPECT_EQ(nbSongsDefaultValue, 99);
  EXPECT_EQ(onTimerStartsCustomVolumeValue, 1);
  EXPECT_EQ(extendMinutes, 60);
  EXPECT_EQ(SpecialTasksHelper::getInstance()->onTimerStartsCustomVolumeValue(), 1);

  // The bedtime window in the pane's quarter hours, within a day; a timer of at least a minute.
  pane().setInteger(1439, "bedtimeFrom");
  pane().setInteger(-30, "bedtimeTo");
  pane().setInteger(0, "bedtimeMinutes");
  synchronizeAndDeliver();
  EXPECT_EQ(bedtimeFrom, 1425);
  EXPECT_EQ(bedtimeTo, 0);
  EXPECT_EQ(bedtimeMinutes, 1);
  pane().setInteger(1322, "bedtimeFrom");
  synchronizeAndDeliver();
  EXPECT_EQ(bedtimeFrom, 1320);
}

}  // namespace
}  // namespace lunadoze
