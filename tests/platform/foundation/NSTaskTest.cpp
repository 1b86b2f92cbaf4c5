#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/foundation/CFNotificationCenter.h"
#include "platform/foundation/DeviceFileSystem.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/foundation/NSTask.h"
#include "platform/foundation/SystemLog.h"
#include "tests/platform/foundation/TemporaryDirectory.h"
#include "tests/platform/springboard/FreshProcessState.h"

namespace platform::foundation {
namespace {

class NSTaskTest : public ::testing::Test {
 protected:
  springboard::FreshProcessState freshProcess_;

  void SetUp() override {
    DeviceFileSystem::setRoot(device.path());
    CFNotificationCenterAddObserver(center, this, NSTask::kBackboardRestartNotification,
                                    [this](const std::string& name) { heard.push_back(name); });
  }

  void launch(const std::string& path, std::vector<std::string> arguments) {
    auto task = NSTask::create();
    task->setLaunchPath(path);
    task->setArguments(std::move(arguments));
    task->launch();
    NSRunLoop::mainRunLoop().runDueEvents();
  }

  TemporaryDirectory device;
  CFNotificationCenterRef center = CFNotificationCenterGetDarwinNotifyCenter();
  std::vector<std::string> heard;
};

TEST_F(NSTaskTest, KillallBackboarddRestartsTheUserInterface) {
  launch("/usr/bin/killall", {"backboardd"});
  EXPECT_EQ(heard, std::vector<std::string>{NSTask::kBackboardRestartNotification});
  EXPECT_TRUE(SystemLog::lines().empty());
}

TEST_F(NSTaskTest, AnyOtherProgramIsRefusedAndLogged) {
  launch("/usr/bin/killall", {"SpringBoard"});
  launch("/bin/sh", {"-c", "touch /tmp/lunadoze-should-not-exist"});
  EXPECT_TRUE(heard.empty());
  ASSERT_EQ(SystemLog::lines().size(), 2u);
  EXPECT_NE(SystemLog::lines()[1].find("/bin/sh -c touch"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists("/tmp/lunadoze-should-not-exist"));
}

}  // namespace
}  // namespace platform::foundation
