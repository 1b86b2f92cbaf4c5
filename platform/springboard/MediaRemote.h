#pragma once

#include <functional>

#include "platform/foundation/PropertyList.h"

// MediaRemote: what the device's media server says is playing.
namespace platform::springboard {

// The keys of the now-playing dictionary.
inline constexpr const char* kMRMediaRemoteNowPlayingInfoTitle = "kMRMediaRemoteNowPlayingInfoTitle";
inline constexpr const char* kMRMediaRemoteNowPlayingInfoDuration = "kMRMediaRemoteNowPlayingInfoDuration";
inline constexpr const char* kMRMediaRemoteNowPlayingInfoElapsedTime =
    "kMRMediaRemoteNowPlayingInfoElapsedTime";
inline constexpr const char* kMRMediaRemoteNowPlayingInfoPlaybackRate =
    "kMRMediaRemoteNowPlayingInfoPlaybackRate";

using MRMediaRemoteGetNowPlayingInfoCompletion =
    std::function<void(const foundation::PropertyList::Dictionary* info)>;

// MRMediaRemoteGetNowPlayingInfo(dispatch_get_main_queue(), completion): the media server answers
// later, on the main queue (the one queue there is), with the information as it is then; null
// (nil) while nothing is loaded or no SpringBoard runs.
void MRMediaRemoteGetNowPlayingInfo(MRMediaRemoteGetNowPlayingInfoCompletion completion);

}  // namespace platform::springboard
