#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/PropertyList.h"

namespace platform::springboard {

// The device's music player: a queue of titles that plays through the main run loop's clock. Each
// item plays for its duration and the next one follows; after the last, nothing is loaded. It
// runs beside SpringBoard and outlives it: the running SpringBoard connects to hear of each new
// item and of each change between playing and paused.
class MusicPlayer {
 public:
  struct Item {
    std::string title;
    double duration;  // seconds
  };

  MusicPlayer() = default;
  MusicPlayer(const MusicPlayer&) = delete;
  MusicPlayer& operator=(const MusicPlayer&) = delete;
  ~MusicPlayer();

  // Replaces the queue; its first item is loaded from its start, playing if the player was.
  void setQueue(std::vector<Item> items);
  // Nothing happens while nothing is loaded, or when already so.
  void play();
  void pause();
  // The next item from its start; after the last one, nothing is loaded.
  void next();
  // A now-playing change whose information has no title, as players send while they load an item;
  // the title is back with the next item.
  void reportUntitledChange();

  bool isPlaying() const { return playing_; }
  // The loaded item, or null.
  const Item* nowPlayingItem() const;
  // Seconds into the loaded item.
  double elapsedTime() const;
  // The now-playing information as MediaRemote gives it: title, duration, elapsed time and
  // playback rate (1 playing, 0 paused); nullopt (nil) while nothing is loaded.
  std::optional<foundation::PropertyList::Dictionary> nowPlayingInfo() const;

  // The listener hears of each new item and each change between playing and paused. Connecting
  // (SpringBoard's boot) also takes the player past what ended meanwhile and times the loaded
  // item's end anew: a process that ends takes the run loop's entries with it.
  void connect(std::function<void()> nowPlayingDidChange);
  void disconnect();

 private:
  bool isLoaded() const { return index_ < queue_.size(); }
  // Stops the clock of the loaded item at the current time.
  void markElapsedTime();
  // Loads the item at the index (past the end: nothing) from its start, begun at the time.
  void load(size_t index, double startTime);
  // Takes the player past every item that would have ended by now.
  void catchUp();
  void scheduleItemEnd();
  void notify() const;

  std::vector<Item> queue_;
  size_t index_ = 0;
  bool untitled_ = false;
  bool playing_ = false;
  // The loaded item's elapsed time at markTime_; while playing it grows with the clock from there.
  double elapsedAtMark_ = 0;
  double markTime_ = 0;
  uint64_t itemEndEvent_ = 0;
  std::function<void()> nowPlayingDidChange_;
};

}  // namespace platform::springboard
