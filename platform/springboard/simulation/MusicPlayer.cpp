#include "platform/springboard/simulation/MusicPlayer.h"

#include <algorithm>

#include "platform/foundation/NSRunLoop.h"
#include "platform/springboard/MediaRemote.h"

namespace platform::springboard {

using foundation::NSRunLoop;
using foundation::PropertyList;

namespace {

double now() {
  return NSRunLoop::mainRunLoop().currentTime();
}

}  // namespace

MusicPlayer::~MusicPlayer() {
  NSRunLoop::mainRunLoop().cancel(itemEndEvent_);
}

void MusicPlayer::setQueue(std::vector<Item> items) {
  queue_ = std::move(items);
  load(0, now());
  notify();
}

void MusicPlayer::play() {
  if (!isLoaded() || playing_) return;
  markElapsedTime();
  playing_ = true;
  scheduleItemEnd();
  notify();
}

void MusicPlayer::pause() {
  if (!playing_) return;
  markElapsedTime();
  playing_ = false;
  scheduleItemEnd();
  notify();
}

void MusicPlayer::next() {
  if (!isLoaded()) return;
  load(index_ + 1, now());
  notify();
}

const MusicPlayer::Item* MusicPlayer::nowPlayingItem() const {
  return isLoaded() ? &queue_[index_] : nullptr;
}

double MusicPlayer::elapsedTime() const {
  return elapsedAtMark_ + (playing_ ? now() - markTime_ : 0);
}

std::optional<PropertyList::Dictionary> MusicPlayer::nowPlayingInfo() const {
  const Item* item = nowPlayingItem();
  if (item == nullptr) return std::nullopt;
  PropertyList::Dictionary info{
      {kMRMediaRemoteNowPlayingInfoDuration, item->duration},
      {kMRMediaRemoteNowPlayingInfoElapsedTime, elapsedTime()},
      {kMRMediaRemoteNowPlayingInfoPlaybackRate, playing_ ? 1.0 : 0.0},
  };
  if (!untitled_) info.insert_or_assign(kMRMediaRemoteNowPlayingInfoTitle, item->title);
  return info;
}

void MusicPlayer::reportUntitledChange() {
  untitled_ = true;
  notify();
}

void MusicPlayer::connect(std::function<void()> nowPlayingDidChange) {
  nowPlayingDidChange_ = std::move(nowPlayingDidChange);
  catchUp();
  scheduleItemEnd();
}

void MusicPlayer::disconnect() {
  nowPlayingDidChange_ = nullptr;
}

void MusicPlayer::markElapsedTime() {
  elapsedAtMark_ = elapsedTime();
  markTime_ = now();
}

void MusicPlayer::load(size_t index, double startTime) {
  index_ = std::min(index, queue_.size());
  untitled_ = false;
  elapsedAtMark_ = 0;
  markTime_ = startTime;
  if (!isLoaded()) playing_ = false;
  scheduleItemEnd();
}

void MusicPlayer::catchUp() {
  while (playing_ && isLoaded() && elapsedTime() >= queue_[index_].duration) {
    load(index_ + 1, markTime_ + queue_[index_].duration - elapsedAtMark_);
  }
}

void MusicPlayer::scheduleItemEnd() {
  NSRunLoop& loop = NSRunLoop::mainRunLoop();
  loop.cancel(itemEndEvent_);
  itemEndEvent_ = 0;
  if (!playing_ || !isLoaded()) return;
  // The next item starts when this one ends, not when the loop gets round to it, so that a long
  // queue does not drift.
  const double end = markTime_ + queue_[index_].duration - elapsedAtMark_;
  itemEndEvent_ = loop.schedule(end, [this, end] {
    itemEndEvent_ = 0;
    load(index_ + 1, end);
    notify();
  });
}

void MusicPlayer::notify() const {
  if (nowPlayingDidChange_) nowPlayingDidChange_();
}

}  // namespace platform::springboard
