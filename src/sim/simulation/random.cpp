#include "sim/simulation/random.h"

#include "sim/simulation/time_source.h"

namespace q71 {

namespace {
std::uint32_t randomState = 1;
} // namespace

void randomSeed(std::uint32_t seed) {
    randomState = seed;
}

std::uint32_t randomCurrentState() {
    return randomState;
}

void randomSeedFromTime() {
    randomSeed(static_cast<std::uint32_t>(simTimeOfDaySeconds()));
}

int randomNext() {
    randomState = randomState * 1103515245u + 12345u;
    return static_cast<int>((randomState / 65536u) % 32768u);
}

double randomScaled(double x) {
    return randomNext() * x / kRandomMax;
}

} // namespace q71
