#pragma once
// Time, waits and the pseudo-random source.
#include <cstdint>

namespace platform {

// Milliseconds since the system started (wraps like GetTickCount).
std::uint32_t TickCount();
// Waits while the calling thread keeps dispatching its window messages.
void WaitProcessingMessages(int milliseconds);

// The C runtime's generator: a value from 0 to 32767 after seeding.
void SeedRandom(unsigned seed);
int RandomValue();

}  // namespace platform
