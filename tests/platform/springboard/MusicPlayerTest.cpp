#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/foundation/PropertyList.h"
#include "platform/runtime/Runtime.h"
#include "platform/springboard/MediaRemote.h"
#include "platform/springboard/SBMediaController.h"
#include "platform/springboard/SpringBoardSelectors.h"
#include "platform/springboard/simulation/Phone.h"
#include "platform/springboard/simulation/SpringBoard.h"
#include "tests/platform/foundation/TemporaryDirectory.h"

namespace platform::springboard {
namespace {

using foundation::NSRunLoop;
using foundation::PropertyList;

// What the media controller was told, one entry per setNowPlayingInfo: call: the title, or
// "nil", with " (paused)" when the information says so.
std::vector<std::string> updates;
decltype(selectors::setNowPlayingInfo)::Imp originalSetNowPlayingInfo = nullptr;

void recordingSetNowPlayingInfo(runtime::id self, const PropertyList::Dictionary* info) {
  originalSetNowPlayingInfo(self, info);
  if (info == nullptr) {
    updates.push_back("nil");
    return;
  }
  const bool paused = info->at(kMRMediaRemoteNowPlayingInfoPlaybackRate).doubleValue() == 0.0;
  updates.push_back(*info->at(kMRMediaRemoteNowPlayingInfoTitle).string() + (paused ? " (paused)" : ""));
}

class MusicPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    foundation::DeviceFileSystem::setRoot(root_.path());
    updates.clear();
    springBoard_.boot();
    hookNowPlayingInfo();
  }

  // As a tweak does, so that the test hears what the host sends.
  static void hookNowPlayingInfo() {
    runtime::MSHookMessageEx(runtime::objc_getClass("SBMediaController"), selectors::setNowPlayingInfo,
                             recordingSetNowPlayingInfo, &originalSetNowPlayingInfo);
  }

  static void advance(double seconds) { NSRunLoop::mainRunLoop().advance(seconds); }

  std::string title() const {
    const auto* item = player().nowPlayingItem();
    return item ? item->title : "nil";
  }
  MusicPlayer& player() const { return device_.musicPlayer(); }

  foundation::TemporaryDirectory root_;
  mutable Phone device_;
  SpringBoard springBoard_{device_};
};

TEST_F(MusicPlayerTest, QueuePlaysThroughInVirtualTimeAndTellsTheHostEachNewItem) {
  player().setQueue({{"Night Drive", 10}, {"Moonlight", 20}});
  player().play();
  advance(9.999);
  EXPECT_EQ(title(), "Night Drive");
  advance(0.002);
  EXPECT_EQ(title(), "Moonlight");
  advance(20);
  EXPECT_EQ(title(), "nil");
  EXPECT_FALSE(player().isPlaying());
  EXPECT_EQ(updates, (std::vector<std::string>{"Night Drive (paused)", "Night Drive", "Moonlight", "nil"}));
  EXPECT_EQ(SBMediaController::sharedInstance()->nowPlayingInfo(), nullptr);
}

TEST_F(MusicPlayerTest, PausingStopsTheSongsClockAndPlayingResumesIt) {
  player().setQueue({{"A", 10}, {"B", 10}});
  player().play();
  advance(4);
  player().pause();
  advance(100);
  EXPECT_EQ(title(), "A");
  EXPECT_DOUBLE_EQ(player().elapsedTime(), 4);
  player().play();
  advance(5.999);
  EXPECT_EQ(title(), "A");
  advance(0.002);
  EXPECT_EQ(title(), "B");
  // Pausing twice is one change; next keeps the player paused or playing as it was.
  player().pause();
  player().pause();
  player().next();
  EXPECT_EQ(updates,
            (std::vector<std::string>{"A (paused)", "A", "A (paused)", "A", "B", "B (paused)", "nil"}));
}

TEST_F(MusicPlayerTest, SongBoundariesDoNotDriftOverALongQueue) {
  std::vector<MusicPlayer::Item> queue(100, MusicPlayer::Item{"Song", 180});
  queue.back().title = "Last";
  player().setQueue(std::move(queue));
  player().play();
  advance(99 * 180 + 0.002);
  EXPECT_EQ(title(), "Last");
  EXPECT_NEAR(player().elapsedTime(), 0.002, 1e-6);
}

TEST_F(MusicPlayerTest, MusicPlaysOnThroughARespringAndTheNewSpringBoardHearsOfIt) {
  player().setQueue({{"A", 10}, {"B", 10}});
  player().play();
  advance(5);
  springBoard_.respring();  // the process's run loop entries, the item's end among them, are gone
  hookNowPlayingInfo();
  updates.clear();
  NSRunLoop::mainRunLoop().runDueEvents();
  EXPECT_EQ(updates, std::vector<std::string>{"A"});
  advance(5.002);
  EXPECT_EQ(title(), "B");
  EXPECT_EQ(updates, (std::vector<std::string>{"A", "B"}));
}

TEST_F(MusicPlayerTest, MediaRemoteAnswersLaterWithTheInformationAsItIsThen) {
  player().setQueue({{"A", 10}});
  std::vector<std::string> answers;
  auto ask = [&answers] {
    MRMediaRemoteGetNowPlayingInfo([&answers](const PropertyList::Dictionary* info) {
      answers.push_back(info ? *info->at(kMRMediaRemoteNowPlayingInfoTitle).string() : "nil");
    });
  };
  ask();
  EXPECT_TRUE(answers.empty());
  player().next();
  NSRunLoop::mainRunLoop().runDueEvents();
  EXPECT_EQ(answers, std::vector<std::string>{"nil"});
  player().setQueue({{"B", 10}});
  ask();
  NSRunLoop::mainRunLoop().runDueEvents();
  EXPECT_EQ(answers, (std::vector<std::string>{"nil", "B"}));
}

}  // namespace
}  // namespace platform::springboard
