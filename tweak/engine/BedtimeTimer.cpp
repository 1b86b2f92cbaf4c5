#include "tweak/engine/BedtimeTimer.h"

#include "platform/foundation/NSCalendar.h"
#include "platform/foundation/NSDate.h"
#include "platform/springboard/MediaRemote.h"
#include "tweak/core/Settings.h"
#include "tweak/engine/SnoozeState.h"
#include "tweak/engine/SpecialTasksHelper.h"

namespace lunadoze {

using platform::foundation::NSCalendar;
using platform::foundation::NSDate;
using platform::foundation::PropertyList;

constinit std::optional<bool> nowPlayingIsPlaying;

namespace {

// Nothing loaded (no information) plays nothing; a rate above 0 plays, as MediaRemote reports it.
bool isPlaying(const PropertyList::Dictionary* info) {
  if (info == nullptr) return false;
  auto found = info->find(platform::springboard::kMRMediaRemoteNowPlayingInfoPlaybackRate);
  if (found == info->end()) return false;
  auto rate = found->second.doubleValue();
  return rate && *rate > 0;
}

}  // namespace

bool isInsideBedtimeWindow(int64_t minuteOfDay, int64_t from, int64_t to) {
  if (from <= to) return from <= minuteOfDay && minuteOfDay < to;
  return minuteOfDay >= from || minuteOfDay < to;
}

int64_t currentMinuteOfDay() {
  auto now = NSDate::date();
  auto calendar = NSCalendar::currentCalendar();
  return calendar->component(platform::foundation::NSCalendarUnitHour, *now) * 60 +
         calendar->component(platform::foundation::NSCalendarUnitMinute, *now);
}

void startBedtimeSnoozeIfPlaybackStarted(const PropertyList::Dictionary* info) {
  const std::optional<bool> wasPlaying = nowPlayingIsPlaying;
  nowPlayingIsPlaying = isPlaying(info);
  // Only the change from paused to playing starts one: title changes while playing do not.
  if (!wasPlaying.has_value() || *wasPlaying || !*nowPlayingIsPlaying) return;
  if (!bedtimeEnabled || timeSnoozeIsRunning || songsSnoozeIsRunning) return;
  if (!isInsideBedtimeWindow(currentMinuteOfDay(), bedtimeFrom, bedtimeTo)) return;

  // One second more, as from the panel: the labels read the full duration first.
  startTimeSnoozeWithInterval(static_cast<double>(bedtimeMinutes) * 60 + 1.0);
  SpecialTasksHelper::getInstance()->performSpecialActionsOnTimerStart();
}

}  // namespace lunadoze
