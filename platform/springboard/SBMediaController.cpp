#include "platform/springboard/SBMediaController.h"

#include <algorithm>
#include <cmath>

#include "platform/foundation/NSString.h"
#include "platform/runtime/Runtime.h"
#include "platform/springboard/SpringBoardSelectors.h"
#include "platform/springboard/simulation/Phone.h"
#include "platform/springboard/simulation/SpringBoard.h"
#include "platform/uikit/UIDevice.h"

namespace platform::springboard {

using foundation::PropertyList;
using runtime::id;

namespace {

SBMediaController* controller(id self) {
  return runtime::downcast<SBMediaController>(self);
}

}  // namespace

runtime::Class* SBMediaController::runtimeClass() {
  return runtime::objc_registerClass("SBMediaController", &NSObject::runtimeClass, [](runtime::Class* cls) {
    runtime::class_addMethod(cls, selectors::setNowPlayingInfo,
                             [](id self, const PropertyList::Dictionary* info) {
                               controller(self)->nowPlayingInfo_ = info ? std::optional(*info) : std::nullopt;
                             });

    using PauseMessages = Phone::PauseMessages;
    SpringBoard* springBoard = SpringBoard::running();
    const PauseMessages pauseMessages =
        springBoard ? springBoard->phone().mediaControllerPauseMessages() : PauseMessages::Both;
    if (pauseMessages == PauseMessages::Both || pauseMessages == PauseMessages::Pause) {
      runtime::class_addMethod(cls, selectors::pause, [](id self) { return controller(self)->pauseMusic(); });
    }
    if (pauseMessages == PauseMessages::Both || pauseMessages == PauseMessages::PauseForEventSource) {
      runtime::class_addMethod(cls, selectors::pauseForEventSource,
                               [](id self, int64_t) { return controller(self)->pauseMusic(); });
    }

    if (foundation::floatValue(uikit::UIDevice::currentDevice()->systemVersion()) < 13.0f) {
      runtime::class_addMethod(cls, selectors::volume,
                               [](id self) { return controller(self)->phone_.mediaVolume(); });
      runtime::class_addMethod(cls, selectors::setVolume,
                               [](id self, float volume) { controller(self)->changeMediaVolume(volume); });
    }
  });
}

std::shared_ptr<SBMediaController> SBMediaController::sharedInstance() {
  SpringBoard* springBoard = SpringBoard::running();
  return springBoard ? springBoard->mediaController() : nullptr;
}

void SBMediaController::setNowPlayingInfo(const PropertyList::Dictionary* info) {
  runtime::send(this, selectors::setNowPlayingInfo, info);
}

bool SBMediaController::pause() {
  return runtime::send(this, selectors::pause);
}

bool SBMediaController::pauseForEventSource(int64_t eventSource) {
  return runtime::send(this, selectors::pauseForEventSource, eventSource);
}

float SBMediaController::volume() {
  return runtime::send(this, selectors::volume);
}

void SBMediaController::setVolume(float volume) {
  runtime::send(this, selectors::setVolume, volume);
}

bool SBMediaController::pauseMusic() {
  MusicPlayer& player = phone_.musicPlayer();
  const bool wasPlaying = player.isPlaying();
  player.pause();
  return wasPlaying;
}

void SBMediaController::changeMediaVolume(float volume) {
  if (std::isnan(volume)) return;
  phone_.setMediaVolume(std::clamp(volume, 0.0f, 1.0f));
  if (!suppressHUD_) ++volumeHUDShowCount_;
}

}  // namespace platform::springboard
