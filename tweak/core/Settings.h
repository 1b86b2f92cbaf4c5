#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/settings/HBPreferences.h"
#include "tweak/core/PreferencesIdentifier.h"

// The tweak's settings: the one settings object for the domain and a process-wide variable per
// key, named as the key. The store keeps each variable holding the stored value, or its default,
// so the rest of the tweak reads the variables and never the store.
namespace lunadoze {

extern std::shared_ptr<platform::settings::HBPreferences> preferences;

extern bool enabled;
extern int64_t enabledModes;
extern int64_t timerDefaultValue;
extern int64_t timerMinutesSteps;
extern bool volumeFadeOutEnabled;
extern int64_t volumeFadeOutTime;
extern bool letTheSongFinishEnabled;
extern int64_t nbSongsDefaultValue;
extern bool showConfirmationViewAfterTimerSetEnabled;
extern double confirmViewAutoDismissTime;
extern bool showIndicatorOnNC;
extern bool hideMoonIconInCC;
extern bool hideMoonIconInNC;
extern bool onTimerEndsAirplane;
extern bool onTimerEndsDND;
extern bool onTimerEndsBluetooth;
extern int64_t onTimerEndsBluetoothMode;
extern std::optional<std::string> onTimerEndsBluetoothDeviceName;
extern bool onTimerStartsAirplane;
extern bool onTimerStartsDND;
extern bool onTimerStartsCustomVolume;
extern int64_t onTimerStartsCustomVolumeValue;
// Minutes that an extension of a running time snooze adds.
extern int64_t extendMinutes;
// A press of the volume-up button during the fade-out extends the snooze as the extend button does.
extern bool extendWithVolumeUpDuringFade;

// Binds every variable above to its key, with its default, `enabled` first.
void registerSettings(platform::settings::HBPreferences& store);

}  // namespace lunadoze
