#include "tweak/wiring/Tweak.h"

#include "platform/foundation/NSProcessInfo.h"
#include "tweak/core/Settings.h"
#include "tweak/wiring/HookTable.h"
#include "tweak/wiring/PreferenceChangeBlock.h"

namespace lunadoze {

void tweakEntryPoint() {
  using platform::foundation::NSProcessInfo;
  using platform::settings::HBPreferences;

  NSProcessInfo* processInfo = NSProcessInfo::processInfo();
  if (processInfo == nullptr) return;
  if (processInfo->processName() != "SpringBoard") return;

  preferences = HBPreferences::initWithIdentifier(kPreferencesIdentifier);
  registerSettings(*preferences);
  preferences->registerPreferenceChangeBlock(preferenceChangeBlock);
  // The store does not run a block when it is registered, and SpecialTasksHelper must hold the
  // stored timer actions before the first timer starts.
  preferenceChangeBlock();

  if (!enabled) return;
  installHookTable();
}

namespace {

__attribute__((constructor)) void lunadozeLoaded() {
  tweakEntryPoint();
}

}  // namespace
}  // namespace lunadoze
