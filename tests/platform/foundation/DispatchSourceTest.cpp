#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/foundation/DeviceFileSystem.h"
#include "platform/foundation/DispatchSource.h"
#include "platform/foundation/NSRunLoop.h"
#include "tests/platform/foundation/TemporaryDirectory.h"
#include "tests/platform/springboard/FreshProcessState.h"

namespace platform::foundation {
namespace {

namespace fs = std::filesystem;

constexpr unsigned long kEverything =
    DISPATCH_VNODE_DELETE | DISPATCH_VNODE_WRITE | DISPATCH_VNODE_ATTRIB | DISPATCH_VNODE_RENAME;

class DispatchSourceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DeviceFileSystem::setRoot(device.path());
    fs::create_directories(host("/var/mobile/Library/Preferences"));
  }
  void TearDown() override { dispatch_vnode_set_watch_limit(0); }

  fs::path host(const std::string& devicePath) const { return device.path() / devicePath.substr(1); }
  void write(const std::string& devicePath, const std::string& contents) {
    std::ofstream(host(devicePath)) << contents;
  }

  // A resumed source on the path whose handler records what it was told.
  dispatch_source_t watch(const std::string& devicePath, unsigned long mask = kEverything) {
    auto source = dispatch_source_create_vnode(devicePath, mask);
    if (source == nullptr) return nullptr;
    dispatch_source_set_event_handler(source, [this, weak = std::weak_ptr(source)] {
      heard.push_back(dispatch_source_get_data(weak.lock()));
    });
    dispatch_resume(source);
    sources.push_back(source);
    return source;
  }

  // What the handlers heard once the run loop has taken what has arrived.
  std::vector<unsigned long> run() {
    NSRunLoop::mainRunLoop().runDueEvents();
    return std::exchange(heard, {});
  }

  springboard::FreshProcessState freshProcess_;
  TemporaryDirectory device;
  std::vector<dispatch_source_t> sources;
  std::vector<unsigned long> heard;
  const std::string file = "/var/mobile/Library/Preferences/x.plist";
  const std::string folder = "/var/mobile/Library/Preferences";
};

TEST_F(DispatchSourceTest, FileEventsReachTheHandlerWhenTheRunLoopRunsCoalescedAndMasked) {
  write(file, "one");
  ASSERT_NE(watch(file), nullptr);
  ASSERT_NE(watch(file, DISPATCH_VNODE_DELETE), nullptr);  // shares the kernel's watch, hears less
  write(file, "two");
  write(file, "three");
  EXPECT_TRUE(heard.empty()) << "never synchronously with the change";
  EXPECT_EQ(run(), std::vector<unsigned long>{DISPATCH_VNODE_WRITE});
  EXPECT_TRUE(run().empty());

  fs::permissions(host(file), fs::perms::owner_read);
  EXPECT_EQ(run(), std::vector<unsigned long>{DISPATCH_VNODE_ATTRIB});

  fs::rename(host(file), host(folder + "/moved.plist"));
  EXPECT_EQ(run(), std::vector<unsigned long>{DISPATCH_VNODE_RENAME});
  fs::remove(host(folder + "/moved.plist"));
  // Removal: both sources hear it (a link count change comes with it for the first).
  auto removal = run();
  ASSERT_EQ(removal.size(), 2u);
  EXPECT_TRUE(removal[0] & DISPATCH_VNODE_DELETE);
  EXPECT_EQ(removal[1], DISPATCH_VNODE_DELETE);
  // A new file at the path is another file: the old sources hear nothing of it.
  write(file, "again");
  EXPECT_TRUE(run().empty());
}

TEST_F(DispatchSourceTest, RenameOverTheFileIsItsRemovalAndTheFoldersWrite) {
  write(file, "old");
  write(folder + "/.x.plist.tmp", "new");
  ASSERT_NE(watch(file, DISPATCH_VNODE_DELETE), nullptr);
  ASSERT_NE(watch(folder), nullptr);
  fs::rename(host(folder + "/.x.plist.tmp"), host(file));
  auto heardNow = run();
  EXPECT_EQ(heardNow, (std::vector<unsigned long>{DISPATCH_VNODE_WRITE, DISPATCH_VNODE_DELETE}));
}

TEST_F(DispatchSourceTest, AFolderHearsOfItsEntriesNotOfWritesInsideThem) {
  write(file, "one");
  ASSERT_NE(watch(folder), nullptr);
  write(file, "two");
  EXPECT_TRUE(run().empty());
  write(folder + "/new.plist", "");
  EXPECT_EQ(run(), std::vector<unsigned long>{DISPATCH_VNODE_WRITE});
  fs::create_directory(host(folder + "/sub"));
  EXPECT_EQ(run(), std::vector<unsigned long>{DISPATCH_VNODE_WRITE});
  fs::remove(host(file));
  EXPECT_EQ(run(), std::vector<unsigned long>{DISPATCH_VNODE_WRITE});
}

TEST_F(DispatchSourceTest, SuspendedAndCancelledSources) {
  write(file, "one");
  auto source = watch(file);
  dispatch_suspend(source);
  write(file, "two");
  EXPECT_TRUE(run().empty());
  // Kept while suspended, delivered on the loop's next turn after the resume.
  dispatch_resume(source);
  EXPECT_TRUE(heard.empty());
  EXPECT_EQ(run(), std::vector<unsigned long>{DISPATCH_VNODE_WRITE});

  write(file, "three");
  dispatch_source_cancel(source);
  EXPECT_TRUE(dispatch_source_testcancel(source));
  EXPECT_TRUE(run().empty()) << "taken by the kernel already, but cancelled before the handler ran";
}

TEST_F(DispatchSourceTest, WatchesAreGivenUpWithTheirLastSource) {
  write(file, "one");
  dispatch_vnode_set_watch_limit(1);
  auto first = watch(file);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(watch(file), nullptr) << "a second source on the same file takes no watch of its own";
  errno = 0;
  EXPECT_EQ(dispatch_source_create_vnode(folder, DISPATCH_VNODE_WRITE), nullptr);
  EXPECT_EQ(errno, ENOSPC);
  dispatch_source_cancel(first);
  sources.clear();  // the other one goes without a cancel
  EXPECT_NE(watch(folder), nullptr);
}

TEST_F(DispatchSourceTest, NothingToWatchIsRefused) {
  errno = 0;
  EXPECT_EQ(dispatch_source_create_vnode("/var/mobile/Library/Preferences/missing.plist", kEverything),
            nullptr);
  EXPECT_EQ(errno, ENOENT);
  errno = 0;
  EXPECT_EQ(dispatch_source_create_vnode("/../outside", kEverything), nullptr);
  EXPECT_EQ(errno, ENOENT);
}

TEST_F(DispatchSourceTest, SourcesMadeAfterARunLoopResetAreHeard) {
  write(file, "one");
  NSRunLoop::mainRunLoop().reset();  // a respring drops the loop's input sources
  ASSERT_NE(watch(file), nullptr);
  write(file, "two");
  EXPECT_EQ(run(), std::vector<unsigned long>{DISPATCH_VNODE_WRITE});
}

}  // namespace
}  // namespace platform::foundation
