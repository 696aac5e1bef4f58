#include <chrono>
#include <thread>

#include "platform/clock.h"

namespace platform {

std::uint32_t TickCount() {
  using namespace std::chrono;
  return static_cast<std::uint32_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// The headless toolkit has no message queue of its own to serve while waiting.
void WaitProcessingMessages(int milliseconds) {
  if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace platform
