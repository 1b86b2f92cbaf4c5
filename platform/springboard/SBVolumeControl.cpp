#include "platform/springboard/SBVolumeControl.h"

#include "platform/runtime/Runtime.h"
#include "platform/springboard/SBMediaController.h"
#include "platform/springboard/simulation/Phone.h"
#include "platform/springboard/simulation/SpringBoard.h"

namespace platform::springboard {

runtime::Class* SBVolumeControl::runtimeClass() {
  return runtime::objc_registerClass("SBVolumeControl", &NSObject::runtimeClass);
}

std::shared_ptr<SBVolumeControl> SBVolumeControl::sharedInstance() {
  SpringBoard* springBoard = SpringBoard::running();
  return springBoard ? springBoard->volumeControl() : nullptr;
}

float SBVolumeControl::_getMediaVolumeForIAP() const {
  return phone_.mediaVolume();
}

void SBVolumeControl::setVolume(float volume, std::string_view category) {
  if (category != kMediaCategory) return;
  if (auto mediaController = SBMediaController::sharedInstance()) mediaController->changeMediaVolume(volume);
}

}  // namespace platform::springboard
