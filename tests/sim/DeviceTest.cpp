#include <gtest/gtest.h>
#include <unistd.h>

#include <optional>

#include "platform/foundation/NSRunLoop.h"
#include "sim/Device.h"
#include "sim/Simulator.h"

namespace lunadoze::sim {
namespace {

using platform::foundation::NSRunLoop;

// In real time the repl waits for the person's next line inside the run loop. A respring
// meanwhile (another process killed backboardd) ends SpringBoard's process and the loop's input
// sources with it; the line must still be read.
TEST(DeviceTest, ALineTypedAfterARespringWhileWaitingForItIsRead) {
  // A wait that never ends fails the test instead of hanging it.
  alarm(30);
  Simulator simulator(std::nullopt, true);
  Device& device = simulator.device();
  device.boot();
  // Also while the status line is redrawn meanwhile, the loop waking every quarter second.
  for (const bool ticking : {false, true}) {
    int terminal[2];
    ASSERT_EQ(pipe(terminal), 0);

    NSRunLoop::mainRunLoop().performBlock([&device, &terminal] {
      device.respring();
      EXPECT_EQ(write(terminal[1], "x", 1), 1);
    });
    if (ticking) {
      device.runUntilReadable(terminal[0], [] {});
    } else {
      device.runUntilReadable(terminal[0]);
    }

    char typed = 0;
    EXPECT_EQ(read(terminal[0], &typed, 1), 1);
    EXPECT_TRUE(device.springBoard().isRunning());
    close(terminal[0]);
    close(terminal[1]);
  }
  alarm(0);
}

}  // namespace
}  // namespace lunadoze::sim
