#include <gtest/gtest.h>

#include <fstream>

#include "platform/foundation/NSProcessInfo.h"
#include "platform/foundation/SystemLog.h"

namespace platform::foundation {
namespace {

TEST(NSProcessInfoTest, NameIsTheKernelsAndRenamingReachesIt) {
  std::string kernelName;
  std::getline(std::ifstream("/proc/self/comm"), kernelName);
  EXPECT_EQ(NSProcessInfo::processInfo()->processName(), kernelName);

  NSProcessInfo::processInfo()->setProcessName("SpringBoard");
  EXPECT_EQ(NSProcessInfo::processInfo()->processName(), "SpringBoard");
  std::getline(std::ifstream("/proc/self/comm"), kernelName);
  EXPECT_EQ(kernelName, "SpringBoard");
}

TEST(SystemLogTest, LinesAreRecordedInOrderUntilCleared) {
  // The record is the process's: start from what earlier tests left.
  SystemLog::clear();
  NSLog("performSpecialActionsOnTimerStart");
  SystemLog::write("performSpecialActionsOnTimerEnd");
  EXPECT_EQ(SystemLog::lines(), (std::vector<std::string>{"performSpecialActionsOnTimerStart",
                                                          "performSpecialActionsOnTimerEnd"}));
  SystemLog::clear();
  EXPECT_TRUE(SystemLog::lines().empty());
}

}  // namespace
}  // namespace platform::foundation
