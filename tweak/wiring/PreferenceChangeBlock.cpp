#include "tweak/wiring/PreferenceChangeBlock.h"

#include "tweak/core/Settings.h"
#include "tweak/core/ViewGlobals.h"
#include "tweak/engine/SpecialTasksHelper.h"
#include "tweak/panel/LunadozeImageButton.h"

namespace lunadoze {
namespace {

// The device would hand any stored object to the string property; only a string is a name here.
std::optional<std::string> storedString(const char* key) {
  auto value = preferences->objectForKey(key);
  if (!value || value->string() == nullptr) return std::nullopt;
  return *value->string();
}

}  // namespace

void preferenceChangeBlock() {
  const auto helper = SpecialTasksHelper::getInstance();
  helper->setOnTimerEndsAirplane(preferences->boolForKey("onTimerEndsAirplane"));
  helper->setOnTimerEndsDND(preferences->boolForKey("onTimerEndsDND"));
  helper->setOnTimerEndsBluetooth(preferences->boolForKey("onTimerEndsBluetooth"));
  helper->setOnTimerEndsBluetoothMode(preferences->integerForKey("onTimerEndsBluetoothMode"));
  helper->setOnTimerEndsBluetoothDeviceName(storedString("onTimerEndsBluetoothDeviceName"));
  helper->setOnTimerStartsAirplane(preferences->boolForKey("onTimerStartsAirplane"));
  helper->setOnTimerStartsDND(preferences->boolForKey("onTimerStartsDND"));
  helper->setOnTimerStartsCustomVolume(preferences->boolForKey("onTimerStartsCustomVolume"));
  helper->setOnTimerStartsCustomVolumeValue(preferences->integerForKey("onTimerStartsCustomVolumeValue"));

  // The moon icons follow their settings at once on the buttons that exist.
  if (setTimerButton != nullptr) setTimerButton->setIconHidden(preferences->boolForKey("hideMoonIconInCC"));
  if (currentTimerButtonInNC != nullptr)
    currentTimerButtonInNC->setIconHidden(preferences->boolForKey("hideMoonIconInNC"));
}

}  // namespace lunadoze
