#pragma once
// The program's one random source: a generator with the C library's rand/srand contract,
// 15-bit results (0 to 32767) from the linear congruential rule of that contract. The host's
// own rand is never used: its range differs, and every randomScaled would be scaled wrongly.
// A mission seeds it (a fixed seed for the first single mission, else the time of day), so
// two runs from one seed see the same world.

#include <cstdint>

namespace q71 {

/// Largest value randomNext returns.
inline constexpr int kRandomMax = 32767;

/// Restarts the sequence from a seed (srand); before any seeding the seed is 1.
void randomSeed(std::uint32_t seed);

/// The generator's state: seeding with it later goes on with the sequence from here.
std::uint32_t randomCurrentState();
/// Seeds from the time of day in whole seconds (srand(time(0))), read through the time source.
void randomSeedFromTime();

/// The next value of the sequence, 0 to 32767 (rand).
int randomNext();

/// randomNext() × x / 32767: uniform from 0 to x inclusive (x may be negative).
double randomScaled(double x);

} // namespace q71
