#include "platform/clock.h"

#include <atomic>

namespace platform {
namespace {
// The Microsoft C runtime's generator, so both targets draw the same sequence from a seed.
std::atomic<unsigned> g_state{1};
}  // namespace

void SeedRandom(unsigned seed) { g_state = seed; }

int RandomValue() {
  unsigned current = g_state.load();
  unsigned next;
  do {
    next = current * 214013u + 2531011u;
  } while (!g_state.compare_exchange_weak(current, next));
  return static_cast<int>((next >> 16) & 0x7fff);
}

}  // namespace platform
