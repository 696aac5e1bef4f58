// Waiting while messages are dispatched.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/clock.h"

namespace {

// The wait measures itself with the same clock, so it never ends early by that clock.
TEST(WaitProcessingMessages, LastsAtLeastTheTimeAsked) {
  // A quit left by an earlier test's message loop would end every wait at once, as it should.
  MSG leftover;
  while (PeekMessageW(&leftover, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  for (int ms : {0, 1, 40}) {
    std::uint32_t before = platform::TickCount();
    platform::WaitProcessingMessages(ms);
    EXPECT_GE(platform::TickCount() - before, static_cast<std::uint32_t>(ms));
  }
  platform::WaitProcessingMessages(-5);  // a negative time is no time: it returns
}

}  // namespace

namespace {

// A quit in the queue ends the wait at once and stays there for the thread's own loop.
TEST(WaitProcessingMessages, EndsOnQuitAndLeavesItQueued) {
  PostQuitMessage(3);
  std::uint32_t before = platform::TickCount();
  platform::WaitProcessingMessages(2000);
  EXPECT_LT(platform::TickCount() - before, 1000u);
  MSG quit;
  ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 3u);
}

}  // namespace
