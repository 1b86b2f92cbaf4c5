#include "tweak/core/Settings.h"

#include "tweak/core/OfferedModes.h"

namespace lunadoze {

// constinit: the entry point runs from the library's load-time constructor, which may come before
// this file's dynamic initializers; constant-initialized variables cannot be reset after it.
constinit std::shared_ptr<platform::settings::HBPreferences> preferences;

constinit bool enabled = false;
constinit int64_t enabledModes = OfferedModesBoth;
constinit int64_t timerDefaultValue = 0;
constinit int64_t timerMinutesSteps = 0;
constinit bool volumeFadeOutEnabled = false;
constinit int64_t volumeFadeOutTime = 0;
constinit bool letTheSongFinishEnabled = false;
constinit int64_t nbSongsDefaultValue = 0;
constinit bool showConfirmationViewAfterTimerSetEnabled = false;
constinit double confirmViewAutoDismissTime = 0;
constinit bool showIndicatorOnNC = false;
constinit bool hideMoonIconInCC = false;
constinit bool hideMoonIconInNC = false;
constinit bool onTimerEndsAirplane = false;
constinit bool onTimerEndsDND = false;
constinit bool onTimerEndsBluetooth = false;
constinit int64_t onTimerEndsBluetoothMode = 0;
constinit std::optional<std::string> onTimerEndsBluetoothDeviceName;
constinit bool onTimerStartsAirplane = false;
constinit bool onTimerStartsDND = false;
constinit bool onTimerStartsCustomVolume = false;
constinit int64_t onTimerStartsCustomVolumeValue = 0;
constinit int64_t extendMinutes = 0;
constinit bool extendWithVolumeUpDuringFade = false;

void registerSettings(platform::settings::HBPreferences& store) {
  // What the preferences pane's sliders offer: a stored value outside it (a hand-edited file, an
  // older version) acts as the pane shows it, and a 0-minute or 68-year setting cannot happen.
  using platform::settings::SettingRange;
  constexpr SettingRange kTimerDefaultMinutes(1, 180, 1);
  constexpr SettingRange kFadeOutSeconds(0, 60, 1);
  constexpr SettingRange kNbSongs(1, 99, 1);
  constexpr SettingRange kVolumePercent(0, 100, 1);
  constexpr SettingRange kExtendMinutes(1, 60, 1);

  store.registerBool(&enabled, true, "enabled");
  store.registerInteger(&enabledModes, OfferedModesBoth, "enabledModes");
  store.registerInteger(&timerDefaultValue, 1, "timerDefaultValue", kTimerDefaultMinutes);
  store.registerInteger(&timerMinutesSteps, 5, "timerMinutesSteps");
  store.registerBool(&volumeFadeOutEnabled, true, "volumeFadeOutEnabled");
  store.registerInteger(&volumeFadeOutTime, 15, "volumeFadeOutTime", kFadeOutSeconds);
  store.registerBool(&letTheSongFinishEnabled, false, "letTheSongFinishEnabled");
  store.registerInteger(&nbSongsDefaultValue, 1, "nbSongsDefaultValue", kNbSongs);
  store.registerBool(&showConfirmationViewAfterTimerSetEnabled, true,
                     "showConfirmationViewAfterTimerSetEnabled");
  store.registerFloat(&confirmViewAutoDismissTime, 1.5, "confirmViewAutoDismissTime");
  store.registerBool(&showIndicatorOnNC, true, "showIndicatorOnNC");
  store.registerBool(&hideMoonIconInCC, false, "hideMoonIconInCC");
  store.registerBool(&hideMoonIconInNC, false, "hideMoonIconInNC");
  store.registerBool(&onTimerEndsAirplane, false, "onTimerEndsAirplane");
  store.registerBool(&onTimerEndsDND, false, "onTimerEndsDND");
  store.registerBool(&onTimerEndsBluetooth, false, "onTimerEndsBluetooth");
  store.registerInteger(&onTimerEndsBluetoothMode, 0, "onTimerEndsBluetoothMode");
  store.registerObject(&onTimerEndsBluetoothDeviceName, std::nullopt, "onTimerEndsBluetoothDeviceName");
  store.registerBool(&onTimerStartsAirplane, false, "onTimerStartsAirplane");
  store.registerBool(&onTimerStartsDND, false, "onTimerStartsDND");
  store.registerBool(&onTimerStartsCustomVolume, false, "onTimerStartsCustomVolume");
  store.registerInteger(&onTimerStartsCustomVolumeValue, 15, "onTimerStartsCustomVolumeValue",
                        kVolumePercent);
  store.registerInteger(&extendMinutes, 10, "extendMinutes", kExtendMinutes);
  store.registerBool(&extendWithVolumeUpDuringFade, true, "extendWithVolumeUpDuringFade");
}

}  // namespace lunadoze
