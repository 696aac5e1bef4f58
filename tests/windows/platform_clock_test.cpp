// Waiting while messages are dispatched.
#include <gtest/gtest.h>

#include "platform/clock.h"

namespace {

// The wait measures itself with the same clock, so it never ends early by that clock.
TEST(WaitProcessingMessages, LastsAtLeastTheTimeAsked) {
  for (int ms : {0, 1, 40}) {
    std::uint32_t before = platform::TickCount();
    platform::WaitProcessingMessages(ms);
    EXPECT_GE(platform::TickCount() - before, static_cast<std::uint32_t>(ms));
  }
  platform::WaitProcessingMessages(-5);  // a negative time is no time: it returns
}

}  // namespace
