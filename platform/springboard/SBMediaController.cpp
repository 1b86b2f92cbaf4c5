#include "platform/springboard/SBMediaController.h"

#include "platform/runtime/Runtime.h"
#include "platform/springboard/SpringBoard.h"
#include "platform/springboard/SpringBoardSelectors.h"

namespace platform::springboard {

using foundation::PropertyList;
using runtime::id;

runtime::Class* SBMediaController::runtimeClass() {
  return runtime::objc_registerClass("SBMediaController", NSObject::runtimeClass(), [](runtime::Class* cls) {
    runtime::class_addMethod(cls, selectors::setNowPlayingInfo,
                             [](id self, const PropertyList::Dictionary* info) {
                               auto* controller = static_cast<SBMediaController*>(self);
                               controller->nowPlayingInfo_ = info ? std::optional(*info) : std::nullopt;
                             });
  });
}

std::shared_ptr<SBMediaController> SBMediaController::sharedInstance() {
  SpringBoard* springBoard = SpringBoard::running();
  return springBoard ? springBoard->mediaController() : nullptr;
}

void SBMediaController::setNowPlayingInfo(const PropertyList::Dictionary* info) {
  runtime::send(this, selectors::setNowPlayingInfo, info);
}

}  // namespace platform::springboard
