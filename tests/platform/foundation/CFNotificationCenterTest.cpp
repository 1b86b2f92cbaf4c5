#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "platform/foundation/CFNotificationCenter.h"
#include "platform/foundation/DeviceFileSystem.h"
#include "platform/foundation/NSRunLoop.h"
#include "tests/platform/foundation/TemporaryDirectory.h"
#include "tests/platform/springboard/FreshProcessState.h"

namespace platform::foundation {
namespace {

class CFNotificationCenterTest : public ::testing::Test {
 protected:
  springboard::FreshProcessState freshProcess_;

  void SetUp() override { DeviceFileSystem::setRoot(device.path()); }

  void observe(const void* observer, const std::string& name) {
    CFNotificationCenterAddObserver(center, observer, name, [this, observer](const std::string& posted) {
      heard.push_back((observer == first ? "first " : "second ") + posted);
    });
  }

  TemporaryDirectory device;
  CFNotificationCenterRef center = CFNotificationCenterGetDarwinNotifyCenter();
  const void* first = &heard;
  const void* second = &device;
  std::vector<std::string> heard;
};

TEST_F(CFNotificationCenterTest, PostIsDeliveredOnTheNextRunLoopTurnToObserversOfThatName) {
  observe(first, "com.corvane.lunadoze/ReloadPrefs");
  observe(second, "other");
  CFNotificationCenterPostNotification(center, "com.corvane.lunadoze/ReloadPrefs");
  EXPECT_TRUE(heard.empty());
  NSRunLoop::mainRunLoop().runDueEvents();
  EXPECT_EQ(heard, std::vector<std::string>{"first com.corvane.lunadoze/ReloadPrefs"});
}

TEST_F(CFNotificationCenterTest, PostNeverWritesThroughALinkAtTheNamesFile) {
  TemporaryDirectory outside;
  const std::filesystem::path directory = device.path() / "var/run/lunadoze/notify";
  std::filesystem::create_directories(directory);
  std::ofstream(outside.path() / "victim") << "precious";
  std::filesystem::create_symlink(outside.path() / "victim", directory / "linked");
  std::filesystem::create_symlink(outside.path() / "created", directory / "dangling");
  CFNotificationCenterPostNotification(center, "linked");
  CFNotificationCenterPostNotification(center, "dangling");
  std::ostringstream kept;
  kept << std::ifstream(outside.path() / "victim").rdbuf();
  EXPECT_EQ(kept.str(), "precious");
  EXPECT_FALSE(std::filesystem::exists(outside.path() / "created"));
}

TEST_F(CFNotificationCenterTest, PostsThatArriveTogetherAreDeliveredOnce) {
  observe(first, "a");
  observe(second, "b");
  for (const char* name : {"a", "b", "a"}) CFNotificationCenterPostNotification(center, name);
  NSRunLoop::mainRunLoop().runDueEvents();
  EXPECT_EQ(heard, (std::vector<std::string>{"first a", "second b"}));
  NSRunLoop::mainRunLoop().runDueEvents();
  EXPECT_EQ(heard.size(), 2u);
}

TEST_F(CFNotificationCenterTest, PostOfAnotherProcessArrives) {
  observe(first, "changed");
  pid_t child = fork();
  if (child == 0) {
    CFNotificationCenterPostNotification(CFNotificationCenterGetDarwinNotifyCenter(), "changed");
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  NSRunLoop::mainRunLoop().runDueEvents();
  EXPECT_EQ(heard, std::vector<std::string>{"first changed"});
}

TEST_F(CFNotificationCenterTest, RemovedObserverIsNotCalledEvenForAPostOnItsWay) {
  CFNotificationCenterAddObserver(center, first, "name", [&](const std::string&) {
    heard.push_back("first");
    CFNotificationCenterRemoveObserver(center, second, "name");
  });
  observe(second, "name");
  CFNotificationCenterPostNotification(center, "name");
  NSRunLoop::mainRunLoop().runDueEvents();
  EXPECT_EQ(heard, std::vector<std::string>{"first"});
}

TEST_F(CFNotificationCenterTest, ObserversAddedAfterARunLoopResetAreHeard) {
  observe(first, "name");
  NSRunLoop::mainRunLoop().reset();  // a respring: the new process's observers register again
  CFNotificationCenterRemoveEveryObserver(center, first);
  observe(second, "name");
  CFNotificationCenterPostNotification(center, "name");
  NSRunLoop::mainRunLoop().runDueEvents();
  EXPECT_EQ(heard, std::vector<std::string>{"second name"});
}

TEST_F(CFNotificationCenterTest, APostWhileNoOneObservedReachesNoLaterObserver) {
  observe(first, "name");
  CFNotificationCenterRemoveEveryObserver(center, first);
  CFNotificationCenterPostNotification(center, "name");
  observe(second, "name");
  NSRunLoop::mainRunLoop().runDueEvents();
  EXPECT_TRUE(heard.empty());
  CFNotificationCenterPostNotification(center, "name");
  NSRunLoop::mainRunLoop().runDueEvents();
  EXPECT_EQ(heard, std::vector<std::string>{"second name"});
}

}  // namespace
}  // namespace platform::foundation
