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

TEST(SystemLogTest, OnlyTheMostRecentLinesAreKeptAndTheDroppedOnesCounted) {
  SystemLog::clear();
  for (size_t i = 0; i < SystemLog::kCapacity + 10; ++i) NSLog("line " + std::to_string(i));
  const auto lines = SystemLog::lines();
  ASSERT_EQ(lines.size(), SystemLog::kCapacity);
  EXPECT_EQ(lines.front(), "line 10");
  EXPECT_EQ(lines.back(), "line " + std::to_string(SystemLog::kCapacity + 9));
  EXPECT_EQ(SystemLog::droppedLines(), 10u);
  SystemLog::clear();
  EXPECT_EQ(SystemLog::droppedLines(), 0u);
}

}  // namespace
}  // namespace platform::foundation
