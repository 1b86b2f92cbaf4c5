#include "platform/springboard/MediaRemote.h"

#include <optional>

#include "platform/foundation/Dispatch.h"
#include "platform/springboard/simulation/Phone.h"
#include "platform/springboard/simulation/SpringBoard.h"

namespace platform::springboard {

void MRMediaRemoteGetNowPlayingInfo(MRMediaRemoteGetNowPlayingInfoCompletion completion) {
  if (!completion) return;
  foundation::dispatch_async_main([completion = std::move(completion)] {
    SpringBoard* springBoard = SpringBoard::running();
    auto info = springBoard ? springBoard->phone().musicPlayer().nowPlayingInfo() : std::nullopt;
    completion(info ? &*info : nullptr);
  });
}

}  // namespace platform::springboard
