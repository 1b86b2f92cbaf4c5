#include "platform/springboard/SBVolumeControl.h"

#include "platform/foundation/NSString.h"
#include "platform/runtime/Runtime.h"
#include "platform/springboard/SBMediaController.h"
#include "platform/springboard/SpringBoardSelectors.h"
#include "platform/springboard/simulation/Phone.h"
#include "platform/springboard/simulation/SpringBoard.h"
#include "platform/uikit/UIDevice.h"

namespace platform::springboard {

using runtime::id;

namespace {

SBVolumeControl* volumeControl(id self) {
  return runtime::downcast<SBVolumeControl>(self);
}

}  // namespace

runtime::Class* SBVolumeControl::runtimeClass() {
  return runtime::objc_registerClass("SBVolumeControl", &NSObject::runtimeClass, [](runtime::Class* cls) {
    runtime::class_addMethod(cls, selectors::increaseVolume,
                             [](id self) { volumeControl(self)->changeMediaVolumeBy(kVolumeStep); });
    runtime::class_addMethod(cls, selectors::decreaseVolume,
                             [](id self) { volumeControl(self)->changeMediaVolumeBy(-kVolumeStep); });
    if (foundation::floatValue(uikit::UIDevice::currentDevice()->systemVersion()) >= 13.0f) {
      runtime::class_addMethod(cls, selectors::_getMediaVolumeForIAP,
                               [](id self) { return volumeControl(self)->phone_.mediaVolume(); });
      runtime::class_addMethod(cls, selectors::setVolumeForCategory,
                               [](id, float volume, std::string_view category) {
                                 if (category != kMediaCategory) return;
                                 if (auto mediaController = SBMediaController::sharedInstance())
                                   mediaController->changeMediaVolume(volume);
                               });
    }
  });
}

std::shared_ptr<SBVolumeControl> SBVolumeControl::sharedInstance() {
  SpringBoard* springBoard = SpringBoard::running();
  return springBoard ? springBoard->volumeControl() : nullptr;
}

float SBVolumeControl::_getMediaVolumeForIAP() {
  return runtime::send(this, selectors::_getMediaVolumeForIAP);
}

void SBVolumeControl::setVolume(float volume, std::string_view category) {
  runtime::send(this, selectors::setVolumeForCategory, volume, category);
}

void SBVolumeControl::increaseVolume() {
  runtime::send(this, selectors::increaseVolume);
}

void SBVolumeControl::decreaseVolume() {
  runtime::send(this, selectors::decreaseVolume);
}

void SBVolumeControl::changeMediaVolumeBy(float change) const {
  if (auto mediaController = SBMediaController::sharedInstance())
    mediaController->changeMediaVolume(phone_.mediaVolume() + change);
}

}  // namespace platform::springboard
